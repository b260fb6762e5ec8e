// MATLAB roots of the releases that connectors serve, machine-wide first, then the user's.
#include "discovery/matlab_installations.h"
#include "in_memory_registry.h"

#include <gtest/gtest.h>

namespace {

using qv::Hive;
using qv::Platform;
using qv::StringArray;

const std::wstring kReleases = L"SOFTWARE\\MathWorks\\MATLAB\\";

class FindMatlabRootsTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(registry.OpenKeyCount(), 0); }

    void Install(Hive hive, Platform view, const std::wstring& release, const std::wstring& root)
    {
        registry.SetString(hive, view, kReleases + release, L"MATLABROOT", root);
    }

    qv::fakes::InMemoryRegistry registry;
    StringArray roots32;
    StringArray roots64;
};

TEST_F(FindMatlabRootsTest, MachineRootsComeFirstThenTheUsersForTheSameReleases)
{
    Install(Hive::LocalMachine, Platform::Bits64, L"9.4", L"C:\\M94");
    Install(Hive::LocalMachine, Platform::Bits64, L"9.3", L"C:\\M93");
    Install(Hive::CurrentUser, Platform::Bits64, L"9.4", L"C:\\M94");  // same string: kept twice
    Install(Hive::CurrentUser, Platform::Bits64, L"9.5", L"C:\\user-only");

    qv::FindMatlabRoots(registry, {}, {L"9.3", L"9.4", L"9.5"}, roots32, roots64);

    EXPECT_TRUE(roots32.empty());
    EXPECT_EQ(roots64, (StringArray{L"C:\\M94", L"C:\\M93", L"C:\\M94"}));
}

TEST_F(FindMatlabRootsTest, EachPlatformNeedsAConnectorOfItsOwn)
{
    Install(Hive::LocalMachine, Platform::Bits32, L"9.4", L"C:\\x86\\M94");
    Install(Hive::LocalMachine, Platform::Bits64, L"9.4", L"C:\\M94");
    Install(Hive::LocalMachine, Platform::Bits64, L"9.3", L"C:\\M93");

    qv::FindMatlabRoots(registry, {L"9.3"}, {L"9.4"}, roots32, roots64);

    EXPECT_TRUE(roots32.empty());  // the 9.3 connector is 32-bit, the 9.3 MATLAB 64-bit
    EXPECT_EQ(roots64, (StringArray{L"C:\\M94"}));
}

TEST_F(FindMatlabRootsTest, ReleaseNamesMustEqualTheConnectorVersion)
{
    Install(Hive::LocalMachine, Platform::Bits32, L"9.4 (beta)", L"C:\\beta");
    Install(Hive::LocalMachine, Platform::Bits32, L"9.40", L"C:\\other");
    qv::FindMatlabRoots(registry, {L"9.4"}, {L"9.4"}, roots32, roots64);
    EXPECT_TRUE(roots32.empty());
    EXPECT_TRUE(roots64.empty());
}

TEST_F(FindMatlabRootsTest, EmptyAndLongRootsAreKeptAsStored)
{
    const std::wstring longRoot = L"D:\\" + std::wstring(200, L'p') + L"\\";
    Install(Hive::LocalMachine, Platform::Bits32, L"7.6", L"");
    Install(Hive::LocalMachine, Platform::Bits32, L"9.4", longRoot);
    qv::FindMatlabRoots(registry, {L"7.6", L"9.4"}, {}, roots32, roots64);
    EXPECT_EQ(roots32, (StringArray{L"", longRoot}));
}

}  // namespace
