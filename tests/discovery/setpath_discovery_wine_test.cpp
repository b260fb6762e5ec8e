// QvMatlabSetPath.exe under Wine with stand-in connectors and a connector location in the
// registry: "-d" alone shows what discovery found, then the usage text.
#include "app/command_line.h"
#include "common/string_array.h"
#include "process_runner.h"
#include "registry_test_keys.h"
#include "stand_in_fixture.h"

#include <gtest/gtest.h>

namespace {

using qv::Hive;
using qv::Platform;
using qv::StringArray;
using qv::testing_keys::ServingConnector;

StringArray Texts(const qv::testbed::ProgramRun& run)
{
    StringArray texts;
    for (const qv::testbed::MessageBoxView& box : run.infoBoxes) {
        EXPECT_EQ(box.caption, L"Info");
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_FALSE(box.hasIcon);
        EXPECT_FALSE(box.hasOwner);
        texts.push_back(box.text);
    }
    return texts;
}

class SetPathDiscoveryWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        classes.Add(1, ServingConnector(L"9_4", L"9_4"));
        qv::testbed::StandInConnector second = ServingConnector(L"1_2_3", L"9_3");
        second.bits64.checkResult = S_FALSE;
        classes.Add(2, second);
        const std::wstring key = L"SOFTWARE\\QVR\\Matlab\\";
        ASSERT_TRUE(
            keys.SetString(Hive::LocalMachine, Platform::Bits32, key, L"MFileHome", L"C:\\ORX\\x86\\connector"));
        ASSERT_TRUE(
            keys.SetString(Hive::LocalMachine, Platform::Bits64, key, L"MFileHome", L"C:\\ORX\\x64\\connector"));
    }

    qv::testbed::ProgramRun Run(const std::wstring& arguments)
    {
        return qv::testbed::RunProgram(qv::testbed::ExecutableDirectory() + L"QvMatlabSetPath.exe", arguments);
    }

    qv::testing_keys::StandInClasses classes;
    qv::testing_keys::TestKeys keys;
};

TEST_F(SetPathDiscoveryWineTest, ShowsConnectorsAndLocationsThenTheUsage)
{
    const qv::testbed::ProgramRun run = Run(L"-d");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(Texts(run),
              (StringArray{L"Connector found for(32): 9.4", L"Connector found for(64): 9.4",
                           L"Connector found for(32): 1.2.3", L"Connector Location(32): C:\\ORX\\x86\\connector",
                           L"Connector Location(64): C:\\ORX\\x64\\connector", qv::BuildUsageText()}));
}

TEST_F(SetPathDiscoveryWineTest, WithoutDOnlyTheUsageIsShown)
{
    const qv::testbed::ProgramRun run = Run(L"-x64");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(Texts(run), (StringArray{qv::BuildUsageText()}));
}

}  // namespace
