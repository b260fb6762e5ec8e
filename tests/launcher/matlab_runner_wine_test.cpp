// RunMatlabRefresh and StartNewUserSetup with the Windows launcher and the stand-in programs.
#include "launcher/matlab_runner.h"
#include "launcher/win32/process_launcher.h"
#include "shared/fakes.h"
#include "standin_sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv::win32 {
namespace {

using launcher_tests::StandinSandbox;
using testbed::StandinRun;

class MatlabRunnerTest : public ::testing::Test {
protected:
    void Refresh(Platform platform, const StringArray& roots, bool showInfo)
    {
        qv::RunMatlabRefresh(launcher, info, platform, kFolder, kConnector, roots, showInfo);
    }

    static StandinRun ExpectedRun(Platform platform, const std::wstring& root)
    {
        StandinRun run;
        run.program = root + L"\\bin\\matlab.exe";
        run.workingDirectory = root + L"\\bin";
        run.commandLine = BuildRefreshCommandLine(platform, kConnector, kFolder);
        return run;
    }

    static constexpr const wchar_t* kConnector = L"C:\\Program Files\\QVR\\Matlab";
    static constexpr const wchar_t* kFolder = L"C:\\Users\\O'Neil\\ORX 10\\Matlab";

    StandinSandbox sandbox;
    Win32ProcessLauncher launcher;
    fakes::RecordingInfoBox info;
};

TEST_F(MatlabRunnerTest, ProcessSeesTheCommandLineAndDirectoryAsBuilt)
{
    const std::wstring root = sandbox.MakeMatlabRoot(L"MATLAB R2018a");
    for (const Platform platform : {Platform::Bits32, Platform::Bits64}) {
        Refresh(platform, {root}, true);
    }
    const auto runs = sandbox.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], ExpectedRun(Platform::Bits32, root));
    EXPECT_EQ(runs[1], ExpectedRun(Platform::Bits64, root));
    // The quote in the folder arrives doubled, inside its literal.
    EXPECT_NE(runs[1].commandLine.find(L"'orxpath64', 'C:\\Users\\O''Neil\\ORX 10\\Matlab');catch, end;quit force;\""),
              std::wstring::npos);
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(MatlabRunnerTest, MissingMatlabStopsTheRunWithAMessageOnlyUnderD)
{
    const std::wstring a = sandbox.MakeMatlabRoot(L"A");
    sandbox.CreateFolder(L"B\\bin");
    const std::wstring b = sandbox.Path(L"B");
    const std::wstring c = sandbox.MakeMatlabRoot(L"C");

    Refresh(Platform::Bits64, {a, b, c}, true);
    EXPECT_EQ(sandbox.Runs(), std::vector<StandinRun>{ExpectedRun(Platform::Bits64, a)});
    EXPECT_EQ(info.shown, std::vector<std::wstring>{L"Could not find the matlab.exe at " + b + L"\\bin\\matlab.exe"});

    std::filesystem::remove(std::filesystem::path(sandbox.LogPath()));
    info.shown.clear();
    Refresh(Platform::Bits64, {a, b, c}, false);
    EXPECT_EQ(sandbox.Runs(), std::vector<StandinRun>{ExpectedRun(Platform::Bits64, a)});
    EXPECT_TRUE(info.shown.empty());
}

TEST_F(MatlabRunnerTest, DirectoryNamedMatlabExeCountsAsMissing)
{
    sandbox.CreateFolder(L"D\\bin\\matlab.exe");
    const std::wstring c = sandbox.MakeMatlabRoot(L"C");
    Refresh(Platform::Bits32, {sandbox.Path(L"D"), c}, true);
    EXPECT_TRUE(sandbox.Runs().empty());
    EXPECT_EQ(info.shown,
              std::vector<std::wstring>{L"Could not find the matlab.exe at " + sandbox.Path(L"D\\bin\\matlab.exe")});
}

TEST_F(MatlabRunnerTest, FileTestAcceptsOnlyFiles)
{
    sandbox.WriteTextFile(L"file", "x");
    sandbox.CreateFolder(L"folder");
    EXPECT_TRUE(launcher.IsExistingFile(sandbox.Path(L"file")));
    EXPECT_FALSE(launcher.IsExistingFile(sandbox.Path(L"folder")));
    EXPECT_FALSE(launcher.IsExistingFile(sandbox.Path(L"missing")));
    EXPECT_FALSE(launcher.IsExistingFile(sandbox.Path(L"missing\\deeper")));
}

TEST_F(MatlabRunnerTest, OneProcessAtATimeInListOrder)
{
    const std::wstring a = sandbox.MakeMatlabRoot(L"A");
    const std::wstring c = sandbox.MakeMatlabRoot(L"C");
    // Each stand-in lives this long; two started together would overlap and one would say so
    // (ExpectedRun has overlapping == false).
    sandbox.SetSleepMs(700);
    Refresh(Platform::Bits32, {a, c}, true);
    const auto runs = sandbox.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], ExpectedRun(Platform::Bits32, a));
    EXPECT_EQ(runs[1], ExpectedRun(Platform::Bits32, c));
}

TEST_F(MatlabRunnerTest, MatlabThatCannotStartIsSkippedSilently)
{
    sandbox.WriteTextFile(L"Broken\\bin\\matlab.exe", "not a program");
    const std::wstring c = sandbox.MakeMatlabRoot(L"C");
    Refresh(Platform::Bits32, {sandbox.Path(L"Broken"), c}, true);
    EXPECT_EQ(sandbox.Runs(), std::vector<StandinRun>{ExpectedRun(Platform::Bits32, c)});
    EXPECT_TRUE(info.shown.empty());
}

// Puts a stand-in at the top of the current drive (where an empty root would point) for the
// life of the object, with the current directory moved into the sandbox's drive.
class DriveRootStandin {
public:
    DriveRootStandin(const StandinSandbox& sandbox, const std::wstring& relativeToDriveRoot, const std::wstring& built)
    {
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        ::SetCurrentDirectoryW(sandbox.Path().c_str());
        const std::filesystem::path target = std::filesystem::path(sandbox.Path().substr(0, 3)) / relativeToDriveRoot;
        ownsFolder_ = !std::filesystem::exists(target.parent_path());
        std::filesystem::create_directories(target.parent_path());
        std::filesystem::copy_file(built, target);
        target_ = target;
    }
    ~DriveRootStandin()
    {
        std::error_code ignored;
        std::filesystem::remove(target_, ignored);
        if (ownsFolder_) {
            std::filesystem::remove(target_.parent_path(), ignored);
        }
        ::SetCurrentDirectoryW(previous_.c_str());
    }
    DriveRootStandin(const DriveRootStandin&) = delete;
    DriveRootStandin& operator=(const DriveRootStandin&) = delete;

private:
    std::wstring previous_;
    std::filesystem::path target_;
    bool ownsFolder_ = false;
};

TEST_F(MatlabRunnerTest, EmptyRootDoesNotRunMatlabFromTheDriveRoot)
{
    const DriveRootStandin planted(sandbox, L"bin\\matlab.exe", launcher_tests::BuiltStandinMatlab());
    const std::wstring c = sandbox.MakeMatlabRoot(L"C");
    Refresh(Platform::Bits64, {std::wstring(), c}, true);
    EXPECT_TRUE(sandbox.Runs().empty());
    EXPECT_EQ(info.shown, std::vector<std::wstring>{L"Could not find the matlab.exe at \\bin\\matlab.exe"});
}

TEST(StartNewUserSetup, RunsTheSetupWithForceInItsFolder)
{
    StandinSandbox sandbox;
    Win32ProcessLauncher launcher;
    const std::wstring folder = sandbox.MakeSetupFolder(L"ORX 10.0x\\bin");
    StartNewUserSetup(launcher, folder);
    StartNewUserSetup(launcher, folder + L"\\");

    const auto runs = sandbox.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].program, folder + L"\\QvNewUserSetup.exe");
    EXPECT_EQ(runs[0].workingDirectory, folder);
    EXPECT_EQ(runs[0].commandLine, L"QvNewUserSetup.exe force");
    // The doubled separator of a trailing backslash still names the same program.
    EXPECT_EQ(runs[1].commandLine, L"QvNewUserSetup.exe force");
}

TEST(StartNewUserSetup, MissingSetupProgramReturnsQuietly)
{
    StandinSandbox sandbox;
    sandbox.CreateFolder(L"ORX 11\\bin");
    Win32ProcessLauncher launcher;
    StartNewUserSetup(launcher, sandbox.Path(L"ORX 11\\bin"));
    EXPECT_TRUE(sandbox.Runs().empty());
}

}  // namespace
}  // namespace qv::win32
