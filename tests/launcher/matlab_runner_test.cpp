// RunMatlabRefresh and StartNewUserSetup over a recording launcher: order, stop rule, silence.
#include "launcher/matlab_runner.h"
#include "launcher/recording_launcher.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

using fakes::RecordingLauncher;

class RunMatlabRefreshTest : public ::testing::Test {
protected:
    void Run(const StringArray& roots, bool showInfo, Platform platform = Platform::Bits32)
    {
        RunMatlabRefresh(launcher, info, platform, L"D:\\O", L"C:\\P", roots, showInfo);
    }

    RecordingLauncher launcher;
    fakes::RecordingInfoBox info;
};

TEST_F(RunMatlabRefreshTest, EveryRootInListOrderEachAfterItsFileTest)
{
    launcher.files = {L"C:\\A\\bin\\matlab.exe", L"C:\\B\\bin\\matlab.exe"};
    Run({L"C:\\B", L"C:\\A", L"C:\\B"}, true, Platform::Bits64);
    EXPECT_EQ(launcher.calls,
              (std::vector<std::wstring>{L"exists C:\\B\\bin\\matlab.exe", L"run C:\\B\\bin\\matlab.exe",
                                         L"exists C:\\A\\bin\\matlab.exe", L"run C:\\A\\bin\\matlab.exe",
                                         L"exists C:\\B\\bin\\matlab.exe", L"run C:\\B\\bin\\matlab.exe"}));
    ASSERT_EQ(launcher.runs.size(), 3u);
    const LaunchRequest expected = BuildRefreshRequest(Platform::Bits64, L"C:\\A", L"C:\\P", L"D:\\O");
    EXPECT_EQ(launcher.runs[1].commandLine, expected.commandLine);
    EXPECT_EQ(launcher.runs[1].directory, L"C:\\A\\bin");
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(RunMatlabRefreshTest, FirstMissingRootStopsTheCall)
{
    launcher.files = {L"C:\\A\\bin\\matlab.exe", L"C:\\C\\bin\\matlab.exe"};
    for (const bool showInfo : {true, false}) {
        launcher.calls.clear();
        launcher.runs.clear();
        info.shown.clear();
        Run({L"C:\\A", L"C:\\B", L"C:\\C"}, showInfo);
        EXPECT_EQ(launcher.calls,
                  (std::vector<std::wstring>{L"exists C:\\A\\bin\\matlab.exe", L"run C:\\A\\bin\\matlab.exe",
                                             L"exists C:\\B\\bin\\matlab.exe"}))
            << "showInfo " << showInfo;
        const std::vector<std::wstring> expectedTexts =
            showInfo ? std::vector<std::wstring>{L"Could not find the matlab.exe at C:\\B\\bin\\matlab.exe"}
                     : std::vector<std::wstring>{};
        EXPECT_EQ(info.shown, expectedTexts);
    }
}

TEST_F(RunMatlabRefreshTest, RootThatIsNotAbsoluteCountsAsMissingWithoutLookingAtIt)
{
    // Each would find a matlab.exe relative to our own current directory or drive, or on a
    // network path that only the join made ("\\" gives "\\\\bin\\matlab.exe").
    for (const std::wstring root : {L"", L"M", L"C:M", L"\\M", L"\\\\server", L"..\\M", L"\\"}) {
        launcher.calls.clear();
        info.shown.clear();
        launcher.files = {root + L"\\bin\\matlab.exe", L"C:\\C\\bin\\matlab.exe"};
        Run({root, L"C:\\C"}, true);
        EXPECT_TRUE(launcher.calls.empty()) << "root " << testing::PrintToString(root);
        EXPECT_EQ(info.shown,
                  std::vector<std::wstring>{L"Could not find the matlab.exe at " + root + L"\\bin\\matlab.exe"});
    }
}

TEST_F(RunMatlabRefreshTest, DriveRootJoinsToAnAbsolutePathAndRuns)
{
    launcher.files = {L"C:\\bin\\matlab.exe"};
    Run({L"C:"}, true);
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].directory, L"C:\\bin");
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(RunMatlabRefreshTest, CommandLineTooLongForWindowsIsNotStartedAndTheNextRootRuns)
{
    launcher.files = {L"C:\\A\\bin\\matlab.exe", L"C:\\B\\bin\\matlab.exe"};
    const std::size_t emptyFolderLine = BuildRefreshCommandLine(Platform::Bits32, L"C:\\P", L"").size();
    struct Case {
        std::size_t lineLength;
        bool showInfo;
        bool started;
    };
    for (const Case& c : {Case{kLongestCommandLine, true, true}, Case{kLongestCommandLine + 1, true, false},
                          Case{kLongestCommandLine + 1, false, false}, Case{40000, true, false}}) {
        launcher.runs.clear();
        info.shown.clear();
        const std::wstring folder(c.lineLength - emptyFolderLine, L'f');
        RunMatlabRefresh(launcher, info, Platform::Bits32, folder, L"C:\\P", {L"C:\\A", L"C:\\B"}, c.showInfo);

        const std::size_t expectedRuns = c.started ? 2 : 0;
        ASSERT_EQ(launcher.runs.size(), expectedRuns) << c.lineLength;
        std::vector<std::wstring> expectedTexts;
        if (!c.started && c.showInfo) {
            for (const wchar_t* root : {L"C:\\A", L"C:\\B"}) {
                expectedTexts.push_back(L"Could not start " + std::wstring(root) +
                                        L"\\bin\\matlab.exe: its command line has " + std::to_wstring(c.lineLength) +
                                        L" characters, more than Windows takes (32766).\n");
            }
        } else if (c.started) {
            EXPECT_EQ(launcher.runs[0].commandLine.size(), c.lineLength);
        }
        EXPECT_EQ(info.shown, expectedTexts) << c.lineLength;
    }
}

TEST_F(RunMatlabRefreshTest, EmptyRootListDoesNothing)
{
    Run({}, true);
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_TRUE(info.shown.empty());
}

TEST(StartNewUserSetup, RunsTheSetupRequestOnce)
{
    RecordingLauncher launcher;
    StartNewUserSetup(launcher, L"C:\\O\\bin");
    // No presence test: a missing program just fails to start.
    EXPECT_EQ(launcher.calls, std::vector<std::wstring>{L"run C:\\O\\bin\\QvNewUserSetup.exe"});
    ASSERT_EQ(launcher.runs.size(), 1u);
    EXPECT_EQ(launcher.runs[0].commandLine, L"QvNewUserSetup.exe force");
    EXPECT_EQ(launcher.runs[0].directory, L"C:\\O\\bin");
}

TEST(StartNewUserSetup, ProgramFolderThatIsNotAbsoluteStartsNothing)
{
    RecordingLauncher launcher;
    // "C:" would give the working directory "C:", drive C's current folder.
    for (const std::wstring folder : {L"", L"bin", L"C:bin", L"\\bin", L"C:", L"\\"}) {
        StartNewUserSetup(launcher, folder);
    }
    EXPECT_TRUE(launcher.calls.empty());
    // A UNC share is absolute.
    StartNewUserSetup(launcher, L"\\\\server\\share\\ORX");
    EXPECT_EQ(launcher.calls, std::vector<std::wstring>{L"run \\\\server\\share\\ORX\\QvNewUserSetup.exe"});
}

}  // namespace
}  // namespace qv
