// The per-user setup pass: which versions, in which order, with which program folder.
#include "discovery/in_memory_registry.h"
#include "discovery/user_setups.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

namespace {

using qv::Platform;
using qv::StringArray;
using qv::fakes::InMemoryRegistry;
using qv::fakes::k32;
using qv::fakes::k64;
using qv::fakes::kMachine;
using qv::fakes::kUser;

const std::wstring kVersions = L"SOFTWARE\\QVR\\ORX\\";

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

void PrintTo(const SelectionCase& c, std::ostream* os)
{
    *os << "selection " << c.selection;
}

class RunPendingUserSetupsSelection : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(RunPendingUserSetupsSelection, RunsThe64BitPassFirst)
{
    InMemoryRegistry registry;
    InstallVersion(registry, k32, L"10");
    InstallVersion(registry, k32, L"11");
    InstallVersion(registry, k64, L"12");
    StringArray started;
    qv::RunPendingUserSetups(registry, static_cast<qv::PlatformSelection>(GetParam().selection), {L"f32"}, {L"f64"},
                             [&](const std::wstring& folder) { started.push_back(folder); });
    EXPECT_EQ(started, GetParam().expected);
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Selections, RunPendingUserSetupsSelection,
                         ::testing::Values(SelectionCase{0, {L"C:\\x86\\10", L"C:\\x86\\11"}},
                                           SelectionCase{1, {L"C:\\x64\\12"}},
                                           SelectionCase{2, {L"C:\\x64\\12", L"C:\\x86\\10", L"C:\\x86\\11"}},
                                           SelectionCase{3, {}}, SelectionCase{-1, {}}));

class RunPendingUserSetupsTest : public ::testing::Test {
protected:
    StringArray Run(int selection, const StringArray& folders32, const StringArray& folders64)
    {
        StringArray started;
        qv::RunPendingUserSetups(registry, static_cast<qv::PlatformSelection>(selection), folders32, folders64,
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
