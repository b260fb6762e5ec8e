// The product's registry entries: connector location, MATLAB folders, versions, pending setups.
#include "discovery/product_installation.h"
#include "in_memory_registry.h"
#include "recording_info_box.h"

#include <gtest/gtest.h>

namespace {

using qv::Hive;
using qv::Platform;
using qv::StringArray;
using qv::fakes::InMemoryRegistry;

constexpr Hive kMachine = Hive::LocalMachine;
constexpr Hive kUser = Hive::CurrentUser;
constexpr Platform k32 = Platform::Bits32;
constexpr Platform k64 = Platform::Bits64;
const std::wstring kLocationKey = L"SOFTWARE\\QVR\\Matlab\\";
const std::wstring kVersions = L"SOFTWARE\\QVR\\ORX\\";

// ---- ReadConnectorLocation

class ReadConnectorLocationTest : public ::testing::Test {
protected:
    void Read(bool showInfo)
    {
        qv::ReadConnectorLocation(registry, info, kLocationKey, L"MFileHome", location32, location64, showInfo);
        EXPECT_EQ(registry.OpenKeyCount(), 0);
    }

    InMemoryRegistry registry;
    qv::fakes::RecordingInfoBox info;
    std::wstring location32 = L"before32";
    std::wstring location64 = L"before64";
};

TEST_F(ReadConnectorLocationTest, ReadsEachViewAndShowsBoth32First)
{
    registry.SetString(kMachine, k32, kLocationKey, L"MFileHome", L"C:\\Conn32");
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"C:\\Conn64");
    Read(true);
    EXPECT_EQ(location32, L"C:\\Conn32");
    EXPECT_EQ(location64, L"C:\\Conn64");
    EXPECT_EQ(info.shown,
              (StringArray{L"Connector Location(32): C:\\Conn32", L"Connector Location(64): C:\\Conn64"}));
}

TEST_F(ReadConnectorLocationTest, ShowsNothingWithoutTheFlag)
{
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"C:\\Conn64");
    Read(false);
    EXPECT_EQ(location64, L"C:\\Conn64");
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(ReadConnectorLocationTest, AMissingValueLeavesTheLocationAndAnEmptyOneSetsIt)
{
    registry.AddKey(kMachine, k32, kLocationKey);   // key without the value
    registry.SetString(kMachine, k64, kLocationKey, L"MFileHome", L"");
    registry.SetString(kUser, k64, kLocationKey, L"MFileHome", L"C:\\user");  // never read
    Read(true);
    EXPECT_EQ(location32, L"before32");
    EXPECT_EQ(location64, L"");
    EXPECT_EQ(info.shown, (StringArray{L"Connector Location(64): "}));
}

TEST_F(ReadConnectorLocationTest, ALongLocationIsReadWhole)
{
    const std::wstring longPath = L"C:\\" + std::wstring(250, L'c');
    registry.SetString(kMachine, k32, kLocationKey, L"MFileHome", longPath);
    Read(false);
    EXPECT_EQ(location32, longPath);
}

// ---- ListProductMatlabFolders and ListProductVersions

TEST(ListProductMatlabFolders, ListsEveryVersionPerViewWhateverItsNumber)
{
    InMemoryRegistry registry;
    registry.SetString(kMachine, k32, kVersions + L"9.5", L"MatlabInterface", L"C:\\ORX95\\matlab");
    registry.SetString(kMachine, k32, kVersions + L"10", L"MatlabInterface", L"C:\\ORX10\\matlab");
    registry.AddKey(kMachine, k32, kVersions + L"10.5");  // no folder: contributes nothing
    registry.SetString(kMachine, k64, kVersions + L"11", L"MatlabInterface", L"C:\\ORX11\\matlab");
    StringArray folders32;
    StringArray folders64;
    qv::ListProductMatlabFolders(registry, folders32, folders64);
    EXPECT_EQ(folders32, (StringArray{L"C:\\ORX95\\matlab", L"C:\\ORX10\\matlab"}));
    EXPECT_EQ(folders64, (StringArray{L"C:\\ORX11\\matlab"}));
}

TEST(ListProductVersions, DropsNamesBelowTenAndKeepsTheOrder)
{
    InMemoryRegistry registry;
    for (const wchar_t* name : {L"9.5", L"10", L"Test", L"10.1", L"11", L" 12 beta"}) {
        registry.AddKey(kMachine, k64, kVersions + name);
    }
    registry.AddKey(kMachine, k32, kVersions + L"10abc");
    StringArray versions32;
    StringArray versions64;
    qv::ListProductVersions(registry, kMachine, L"SOFTWARE\\QVR\\ORX", versions32, versions64);
    EXPECT_EQ(versions32, (StringArray{L"10abc"}));
    EXPECT_EQ(versions64, (StringArray{L"10", L"10.1", L"11", L" 12 beta"}));
}

// ---- RunPendingUserSetups

// Installs a version with its program folder, named after version and view.
void InstallVersion(InMemoryRegistry& registry, Platform view, const std::wstring& version)
{
    registry.SetString(kMachine, view, kVersions + version, L"ORXBinaryFolder",
                       (view == k32 ? L"C:\\x86\\" : L"C:\\x64\\") + version);
}

struct SelectionCase {
    int selection;
    StringArray expected;
};

class RunPendingUserSetupsSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(RunPendingUserSetupsSelection, RunsThe64BitPassFirst)
{
    InMemoryRegistry registry;
    InstallVersion(registry, k32, L"10");
    InstallVersion(registry, k32, L"11");
    InstallVersion(registry, k64, L"12");
    StringArray started;
    qv::RunPendingUserSetups(registry, GetParam().selection, {L"f32"}, {L"f64"},
                             [&](const std::wstring& folder) { started.push_back(folder); });
    EXPECT_EQ(started, GetParam().expected);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, RunPendingUserSetupsSelection,
    ::testing::Values(SelectionCase{0, {L"C:\\x86\\10", L"C:\\x86\\11"}}, SelectionCase{1, {L"C:\\x64\\12"}},
                      SelectionCase{2, {L"C:\\x64\\12", L"C:\\x86\\10", L"C:\\x86\\11"}}, SelectionCase{3, {}},
                      SelectionCase{-1, {}}));

class RunPendingUserSetupsTest : public ::testing::Test {
protected:
    StringArray Run(int selection, const StringArray& folders32, const StringArray& folders64)
    {
        StringArray started;
        qv::RunPendingUserSetups(registry, selection, folders32, folders64,
                                 [&](const std::wstring& folder) { started.push_back(folder); });
        EXPECT_EQ(registry.OpenKeyCount(), 0);
        return started;
    }

    InMemoryRegistry registry{InMemoryRegistry::UserViews::Separate};
};

TEST_F(RunPendingUserSetupsTest, AnEmptyFolderListSuppressesItsPass)
{
    InstallVersion(registry, k32, L"10");
    InstallVersion(registry, k64, L"10");
    EXPECT_EQ(Run(2, {}, {L"f64"}), (StringArray{L"C:\\x64\\10"}));
    EXPECT_EQ(Run(2, {L"f32"}, {}), (StringArray{L"C:\\x86\\10"}));
    EXPECT_TRUE(Run(2, {}, {}).empty());
}

TEST_F(RunPendingUserSetupsTest, VersionsTheUserHasAreSkippedByExactName)
{
    for (const wchar_t* version : {L"9.5", L"10", L"10.0x", L"11"}) {
        InstallVersion(registry, k64, version);
        InstallVersion(registry, k32, version);
    }
    // The user's 64-bit list lives in "ORX (x64)", in the 64-bit view; the 32-bit list in
    // "ORX", in the 32-bit view. Entries elsewhere do not count.
    registry.AddKey(kUser, k64, L"SOFTWARE\\QVR\\ORX (x64)\\10");
    registry.AddKey(kUser, k64, L"SOFTWARE\\QVR\\ORX\\11");
    registry.AddKey(kUser, k32, L"SOFTWARE\\QVR\\ORX\\11");
    registry.AddKey(kUser, k32, L"SOFTWARE\\QVR\\ORX (x64)\\10.0x");

    EXPECT_EQ(Run(2, {L"f"}, {L"f"}),
              (StringArray{L"C:\\x64\\10.0x", L"C:\\x64\\11", L"C:\\x86\\10", L"C:\\x86\\10.0x"}));
}

TEST_F(RunPendingUserSetupsTest, AMissingProgramFolderIsHandedOnEmpty)
{
    registry.AddKey(kMachine, k64, kVersions + L"10");
    registry.SetString(kMachine, k32, kVersions + L"10", L"ORXBinaryFolder", L"C:\\only-32");
    registry.SetString(kMachine, k64, kVersions + L"11", L"ORXBinaryFolder", L"");
    EXPECT_EQ(Run(1, {}, {L"f"}), (StringArray{L"", L""}));
}

}  // namespace
