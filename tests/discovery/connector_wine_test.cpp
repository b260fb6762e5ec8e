// Connector discovery through real COM: the category manager and the stand-in connector DLL
// registered as several classes.
#include "discovery/win32/com_connector_source.h"
#include "process_runner.h"
#include "shared/fakes.h"
#include "stand_in_fixture.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace {

using qv::StringArray;
using qv::testbed::StandInConnector;
using qv::testing_keys::ServingConnector;

constexpr HRESULT kFalse = S_FALSE;

// Reads one of the stand-in DLL's counters, if the DLL is loaded in this process.
long StandInCounter(const char* name)
{
    HMODULE module = ::GetModuleHandleW(L"QvStandInConnector.dll");
    if (module == nullptr) {
        return 0;
    }
    using Counter = long(WINAPI*)();
    auto counter = reinterpret_cast<Counter>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return counter != nullptr ? counter() : -1;
}

class ConnectorWineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
    void TearDown() override
    {
        // Every connector object was released and every out-parameter started out empty.
        EXPECT_EQ(StandInCounter("QvStandInLiveObjects"), 0);
        EXPECT_EQ(StandInCounter("QvStandInDirtyOutParameters"), 0);
        ::CoUninitialize();
    }

    void Find(bool showInfo = true)
    {
        qv::win32::ComConnectorSource source;
        qv::FindConnectors(source, info, connectors32, connectors64, showInfo);
    }

    qv::testing_keys::StandInClasses classes;
    qv::fakes::RecordingInfoBox info;
    StringArray connectors32;
    StringArray connectors64;
};

TEST_F(ConnectorWineTest, NoClassRegisteredFindsNothing)
{
    Find();
    EXPECT_TRUE(connectors32.empty());
    EXPECT_TRUE(connectors64.empty());
    EXPECT_TRUE(info.shown.empty());
}

struct ConnectorCase {
    const char* label;
    StandInConnector connector;
    StringArray expected32;
    StringArray expected64;
};

void PrintTo(const ConnectorCase& c, std::ostream* os)
{
    *os << c.label;
}

StandInConnector With(StandInConnector connector, HRESULT versionResult32, HRESULT checkResult32,
                      HRESULT versionResult64, HRESULT checkResult64)
{
    connector.bits32.versionResult = versionResult32;
    connector.bits32.checkResult = checkResult32;
    connector.bits64.versionResult = versionResult64;
    connector.bits64.checkResult = checkResult64;
    return connector;
}

class ConnectorWineReplies : public ConnectorWineTest, public ::testing::WithParamInterface<ConnectorCase> {};

TEST_P(ConnectorWineReplies, FollowTheResultRules)
{
    classes.Add(1, GetParam().connector);
    Find(false);
    EXPECT_EQ(connectors32, GetParam().expected32);
    EXPECT_EQ(connectors64, GetParam().expected64);
}

StandInConnector NullVersion32()
{
    StandInConnector connector = ServingConnector(L"unused", L"9_4");
    connector.bits32.version.reset();
    return connector;
}

StandInConnector NotCreatable()
{
    StandInConnector connector = ServingConnector(L"9_4", L"9_4");
    connector.createResult = E_NOINTERFACE;
    return connector;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ConnectorWineReplies,
    ::testing::Values(
        ConnectorCase{"version_s_false_still_asks_check",
                      With(ServingConnector(L"9_4", L"9_3"), kFalse, S_OK, kFalse, S_OK),
                      {L"9.4"},
                      {L"9.3"}},
        ConnectorCase{"check_s_false_contributes_nothing",
                      With(ServingConnector(L"9_4", L"9_3"), S_OK, kFalse, S_OK, S_OK),
                      {},
                      {L"9.3"}},
        ConnectorCase{
            "failed_32_still_gives_64", With(ServingConnector(L"9_4", L"9_3"), E_FAIL, S_OK, S_OK, S_OK), {}, {L"9.3"}},
        ConnectorCase{"failed_check_both", With(ServingConnector(L"9_4", L"9_3"), S_OK, E_FAIL, S_OK, E_FAIL), {}, {}},
        ConnectorCase{"underscores_become_points", ServingConnector(L"9_4", L"1_2_3"), {L"9.4"}, {L"1.2.3"}},
        ConnectorCase{"null_version_gives_empty_entry", NullVersion32(), {L""}, {L"9.4"}},
        ConnectorCase{"class_that_cannot_be_created_is_skipped", NotCreatable(), {}, {}}),
    [](const ::testing::TestParamInfo<ConnectorCase>& param) { return std::string(param.param.label); });

TEST_F(ConnectorWineTest, EveryClassCountsInEnumerationOrderWithItsMessages)
{
    // The category manager lists the classes in the order of their ids.
    classes.Add(1, ServingConnector(L"9_4", L"9_4"));
    classes.Add(2, NotCreatable());
    classes.Add(3, With(ServingConnector(L"9_4", L"7_6"), S_OK, S_OK, kFalse, S_OK));
    Find();
    EXPECT_EQ(connectors32, (StringArray{L"9.4", L"9.4"}));
    EXPECT_EQ(connectors64, (StringArray{L"9.4", L"7.6"}));
    const std::wstring notCreated =
        L"Connector class {5EA7C0DE-0000-4000-8000-000000000002} could not be created (error 0x80004002).\n";
    EXPECT_EQ(info.shown, (StringArray{L"Connector found for(32): 9.4", L"Connector found for(64): 9.4",
                                       L"Connector found for(32): 9.4", L"Connector found for(64): 7.6", notCreated}));
}

// A class registered for 32-bit programs only is neither listed nor created by this 64-bit
// process; "-d" names it, after the classes found. A server that cannot load is named with
// the failure code.
TEST_F(ConnectorWineTest, ClassesThisProgramCannotUseAreNamedUnderTheFlag)
{
    StandInConnector only32 = ServingConnector(L"9_3", L"9_3");
    only32.for32BitProgramsOnly = true;
    classes.Add(4, only32);
    classes.Add(5, ServingConnector(L"9_4", L"9_4"));
    classes.Add(6, ServingConnector(L"9_4", L"9_4"));  // then served by a DLL that is not there
    StandInConnector missingServer = ServingConnector(L"9_4", L"9_4");
    missingServer.classId = qv::testbed::StandInClassId(6);
    ASSERT_TRUE(qv::testbed::RegisterStandInConnector(missingServer, L"C:\\no such folder\\QvConnector.dll"));

    Find(false);
    EXPECT_EQ(connectors32, (StringArray{L"9.4"}));
    EXPECT_TRUE(info.shown.empty());

    connectors32.clear();
    connectors64.clear();
    Find();
    EXPECT_EQ(connectors32, (StringArray{L"9.4"}));
    EXPECT_EQ(info.shown,
              (StringArray{L"Connector found for(32): 9.4", L"Connector found for(64): 9.4",
                           // Wine's code for a missing server DLL; Windows gives 0x8007007E.
                           L"Connector class {5EA7C0DE-0000-4000-8000-000000000006} could not be created (error "
                           L"0x80040154).\n",
                           L"Connector class {5EA7C0DE-0000-4000-8000-000000000004} is registered for 32-bit "
                           L"programs only; this 64-bit program cannot use it.\n"}));
}

// The two ways a demo registers stand-ins: regsvr32 (one class serving 9.4 on both
// platforms) and the command-line tool (any behaviour).
TEST_F(ConnectorWineTest, RegistersThroughRegsvr32AndTheTool)
{
    const std::wstring dll = qv::testbed::StandInConnectorDllPath();
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring regsvr32 = std::wstring(system) + L"\\regsvr32.exe";
    ASSERT_EQ(qv::testbed::RunProgram(regsvr32, L"/s \"" + dll + L"\"").exitCode, 0u);
    const std::wstring tool = qv::testbed::ExecutableDirectory() + L"stand_in_connector_tool.exe";
    ASSERT_EQ(qv::testbed::RunProgram(tool, L"register 9 version64=2_0 checkResult32=0x1").exitCode, 0u);

    Find(false);
    EXPECT_EQ(connectors32, (StringArray{L"9.4"}));
    EXPECT_EQ(connectors64, (StringArray{L"9.4", L"2.0"}));

    EXPECT_EQ(qv::testbed::RunProgram(regsvr32, L"/s /u \"" + dll + L"\"").exitCode, 0u);
    EXPECT_EQ(qv::testbed::RunProgram(tool, L"unregister 9").exitCode, 0u);
    EXPECT_EQ(qv::testbed::RunProgram(tool, L"register 9 colour=blue").exitCode, 2u);
    connectors32.clear();
    connectors64.clear();
    Find(false);
    EXPECT_TRUE(connectors32.empty());
    EXPECT_TRUE(connectors64.empty());
}

}  // namespace
