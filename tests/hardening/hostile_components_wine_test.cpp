// The real program on the sandbox machine with components that misbehave: connectors with
// absurd answers, a crowded category and release key, MATLABs that fail or crash, a setup
// program that is a folder. Every run must end by itself, without crashing, having done
// what it still could.
#include "registry_writer.h"
#include "run/sandbox_run.h"

#include <filesystem>

namespace qv::e2e {
namespace {

const std::wstring kX86 = L"C:\\Program Files (x86)";
const std::wstring kX64 = L"C:\\Program Files";
const std::wstring kFolder32 = kX86 + L"\\QVR\\ORX 10\\bin\\Matlab";
const std::wstring kFolder64 = kX64 + L"\\QVR\\ORX 11\\bin\\Matlab";
const std::wstring kRoot32 = kX86 + L"\\MATLAB\\R2017b";
const std::wstring kLocation32 = L"Connector Location(32): " + kX86 + L"\\QVR\\ORX\\Matlab\\Connector";
const std::wstring kLocation64 = L"Connector Location(64): " + kX64 + L"\\QVR\\ORX\\Matlab\\Connector";

class HostileRun : public SandboxRun {
protected:
    void TearDown() override
    {
        ::SetEnvironmentVariableW(testbed::kStandinExitCodeVariable, nullptr);
        ::SetEnvironmentVariableW(testbed::kStandinCrashVariable, nullptr);
        ::SetEnvironmentVariableW(testbed::kStandinSleepVariable, nullptr);
        SandboxRun::TearDown();
    }

    // Registers (or re-registers) a class and keeps it in the machine, so that it is removed
    // with the sandbox.
    void PutConnector(unsigned number, testbed::StandInConnector connector)
    {
        connector.classId = testbed::StandInClassId(number);
        ASSERT_TRUE(
            testbed::RegisterStandInConnector(connector, testbed::ExecutableDirectory() + L"QvStandInConnector.dll"));
        machine_.connectors.push_back(connector);
    }

    // The run ended by itself, not by a crash (the program's exit status is always 0).
    static void ExpectCleanEnd(const testbed::ProgramRun& run)
    {
        ASSERT_TRUE(run.started);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.exitCode, 0u) << std::hex << run.exitCode;
    }

    std::vector<std::wstring> MatlabsStarted() const
    {
        std::vector<std::wstring> programs;
        for (const testbed::StandinRun& run : Started()) {
            programs.push_back(run.program);
        }
        return programs;
    }
};

testbed::StandInConnector Serving32(std::optional<std::wstring> version)
{
    testbed::StandInConnector connector;
    connector.bits32.version = std::move(version);
    connector.bits64 = {std::wstring(L"0_0"), S_OK, S_FALSE};
    return connector;
}

struct ConnectorCase {
    const char* name;
    testbed::StandInConnector connector;  // registered as class 1, in place of the demo's 9.3 class
    std::vector<std::wstring> boxes;      // what "-d" shows
    bool refreshes32;                     // the 32-bit MATLAB 9.3 is still refreshed
    // A second 32-bit root of 9.3 has no matlab.exe: its box comes after the wait for the
    // first, whose stand-in sleeps a second.
    bool secondRootAfterAWait = false;
};

void PrintTo(const ConnectorCase& tested, std::ostream* out)
{
    *out << tested.name;
}

const std::wstring kLongVersion(100000, L'7');
const std::wstring kRootWithoutMatlab32 = L"C:\\Tools\\MATLAB\\R2017b";

testbed::StandInConnector QuitsDuringTheWait(testbed::QueueAbuse quit)
{
    testbed::StandInConnector connector = Serving32(std::wstring(L"9_3"));
    connector.onProcessStart = quit;
    return connector;
}

std::vector<ConnectorCase> ConnectorCases()
{
    testbed::StandInConnector notCreatable = Serving32(std::wstring(L"9_3"));
    notCreatable.createResult = E_NOINTERFACE;
    return {
        {"VersionOf100000Characters",
         Serving32(kLongVersion),
         {L"Connector found for(32): " + kLongVersion, L"Connector found for(64): 9.4", kLocation32, kLocation64},
         false},
        {"EmbeddedNulEndsTheVersion",
         Serving32(std::wstring(L"9_3\0_9_4", 8)),
         {L"Connector found for(32): 9.3", L"Connector found for(64): 9.4", kLocation32, kLocation64},
         true},
        {"NullVersionWithSOk",
         Serving32(std::nullopt),
         {L"Connector found for(32): ", L"Connector found for(64): 9.4", kLocation32, kLocation64},
         false},
        {"ClassThatCannotBeCreated",
         notCreatable,
         {L"Connector found for(64): 9.4",
          L"Connector class {5EA7C0DE-0000-4000-8000-000000000001} could not be created (error 0x80004002).\n",
          kLocation32, kLocation64},
         false},
        // A WM_QUIT during the wait for MATLAB is no answer to anything: the run goes on and
        // the box after the wait is shown, not closed by the quit.
        {"QuitFromItsWindowDuringTheWait",
         QuitsDuringTheWait(testbed::QueueAbuse::QuitFromWindow),
         {L"Connector found for(32): 9.3", L"Connector found for(64): 9.4", kLocation32, kLocation64,
          L"Could not find the matlab.exe at " + kRootWithoutMatlab32 + L"\\bin\\matlab.exe"},
         true,
         true},
        {"QuitFromItsThreadDuringTheWait",
         QuitsDuringTheWait(testbed::QueueAbuse::QuitFromThread),
         {L"Connector found for(32): 9.3", L"Connector found for(64): 9.4", kLocation32, kLocation64,
          L"Could not find the matlab.exe at " + kRootWithoutMatlab32 + L"\\bin\\matlab.exe"},
         true,
         true},
    };
}

class HostileConnector : public HostileRun, public ::testing::WithParamInterface<ConnectorCase> {};

TEST_P(HostileConnector, RunGoesOnWithWhatTheOtherClassesReport)
{
    if (GetParam().secondRootAfterAWait) {
        machine_.matlab.push_back({Platform::Bits32, L"9.3", kRootWithoutMatlab32, /*perUser=*/true,
                                   /*withExecutable=*/false});
        std::wstring error;
        ASSERT_TRUE(testbed::InstallSandbox(machine_, testbed::ExecutableDirectory(), error)) << error.c_str();
        ::SetEnvironmentVariableW(testbed::kStandinSleepVariable, L"1000");
    }
    PutConnector(1, GetParam().connector);
    // The stand-in hands out exactly this string (embedded NUL and length included).
    ASSERT_TRUE(testbed::ReadStandInBehaviour(testbed::StandInClassId(1)).bits32.version ==
                GetParam().connector.bits32.version);
    const testbed::ProgramRun run = RunSetPath(L"-d -orxMatlabPath \"" + kFolder32 + L"\"");
    ExpectCleanEnd(run);
    const std::vector<std::wstring> shown = Texts(run.infoBoxes);
    ASSERT_EQ(shown.size(), GetParam().boxes.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        // Compared piecewise: a failure should not print 100,000 characters.
        EXPECT_EQ(shown[i].size(), GetParam().boxes[i].size()) << "box " << i;
        EXPECT_TRUE(shown[i] == GetParam().boxes[i]) << "box " << i;
    }
    if (GetParam().refreshes32) {
        EXPECT_EQ(MatlabsStarted(), std::vector<std::wstring>{kRoot32 + L"\\bin\\matlab.exe"});
    } else {
        // No release carries the reported name: with no 32-bit root the run ends early.
        EXPECT_TRUE(Started().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Connectors, HostileConnector, ::testing::ValuesIn(ConnectorCases()),
                         [](const ::testing::TestParamInfo<ConnectorCase>& tested) { return tested.param.name; });

TEST_F(HostileRun, CategoryOf200ClassesIsReadToTheEnd)
{
    // Classes 3..199 serve releases that are not installed; the last one serves the 64-bit
    // MATLAB 9.5, which only it names.
    for (unsigned number = 3; number < 200; ++number) {
        PutConnector(number, Serving32(L"7_" + std::to_wstring(number)));
    }
    testbed::StandInConnector last;
    last.bits32 = {std::wstring(L"0_0"), S_OK, S_FALSE};
    last.bits64.version = L"9_5";
    PutConnector(200, last);

    const testbed::ProgramRun run = RunSetPath(L"-x64 -orxMatlabPath \"" + kFolder64 + L"\"");
    ExpectCleanEnd(run);
    EXPECT_TRUE(run.infoBoxes.empty());
    EXPECT_EQ(MatlabsStarted(), (std::vector<std::wstring>{kX64 + L"\\MATLAB\\R2018a\\bin\\matlab.exe",
                                                           kX64 + L"\\MATLAB\\R2018b\\bin\\matlab.exe",
                                                           L"C:\\Tools\\MATLAB\\R2018a\\bin\\matlab.exe"}));
}

TEST_F(HostileRun, ReleaseKeyWith5000SubkeysStillYieldsTheServedRelease)
{
    // Names that sort before "9.3", none of them served, some with a root of their own.
    for (int number = 0; number < 5000; ++number) {
        const std::wstring key = L"SOFTWARE\\MathWorks\\MATLAB\\1." + std::to_wstring(number);
        const bool created = number % 100 == 0
                                 ? testbed::WriteString(HKEY_LOCAL_MACHINE, Platform::Bits32, key, L"MATLABROOT",
                                                        L"C:\\Nowhere\\" + std::to_wstring(number))
                                 : testbed::CreateKey(HKEY_LOCAL_MACHINE, Platform::Bits32, key);
        ASSERT_TRUE(created) << number;
    }
    const testbed::ProgramRun run = RunSetPath(L"-orxMatlabPath \"" + kFolder32 + L"\"");
    ExpectCleanEnd(run);
    EXPECT_TRUE(run.infoBoxes.empty());
    EXPECT_EQ(MatlabsStarted(), std::vector<std::wstring>{kRoot32 + L"\\bin\\matlab.exe"});
}

struct MatlabFailure {
    const char* name;
    const wchar_t* variable;
    const wchar_t* value;
};

void PrintTo(const MatlabFailure& tested, std::ostream* out)
{
    *out << tested.name;
}

class FailingMatlab : public HostileRun, public ::testing::WithParamInterface<MatlabFailure> {};

TEST_P(FailingMatlab, NextRootStillRuns)
{
    // Every stand-in fails the same way, after it has logged its start.
    ::SetEnvironmentVariableW(GetParam().variable, GetParam().value);
    const testbed::ProgramRun run = RunSetPath(L"-d -x64 -orxMatlabPath \"" + kFolder64 + L"\"");
    ExpectCleanEnd(run);
    // Only the connector and location messages: a failed MATLAB is not reported.
    EXPECT_EQ(run.infoBoxes.size(), 4u);
    EXPECT_EQ(MatlabsStarted(), (std::vector<std::wstring>{kX64 + L"\\MATLAB\\R2018a\\bin\\matlab.exe",
                                                           L"C:\\Tools\\MATLAB\\R2018a\\bin\\matlab.exe"}));
}

INSTANTIATE_TEST_SUITE_P(Ways, FailingMatlab,
                         ::testing::Values(MatlabFailure{"NonZeroExit", testbed::kStandinExitCodeVariable, L"3"},
                                           MatlabFailure{"AccessViolation", testbed::kStandinCrashVariable, L"1"}),
                         [](const ::testing::TestParamInfo<MatlabFailure>& tested) { return tested.param.name; });

// Puts a folder where a file was for the life of the object; removes it and `alsoRemove`
// again, so that the next test can lay the sandbox out as usual.
class FolderInPlaceOfFile {
public:
    FolderInPlaceOfFile(const std::wstring& file, const std::wstring& alsoRemove) : path_(file), alsoRemove_(alsoRemove)
    {
        std::filesystem::remove(path_);
        std::filesystem::create_directories(path_);
    }
    ~FolderInPlaceOfFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::remove_all(alsoRemove_, ignored);
    }
    FolderInPlaceOfFile(const FolderInPlaceOfFile&) = delete;
    FolderInPlaceOfFile& operator=(const FolderInPlaceOfFile&) = delete;

private:
    std::filesystem::path path_;
    std::filesystem::path alsoRemove_;
};

// An in-process connector runs on the main thread; one that posts WM_QUIT ends the folder
// dialog's loop before anyone answers. That is no OK: nothing is refreshed, and the program
// still ends.
TEST_F(HostileRun, ConnectorThatPostsQuitMakesTheDialogRefreshNothing)
{
    testbed::StandInConnector quitting = Serving32(std::wstring(L"9_3"));
    quitting.postsQuit = true;
    PutConnector(1, quitting);

    const testbed::ProgramRun run = RunSetPath(L"-list");

    ExpectCleanEnd(run);
    // The program was asked to end: not even the pending per-user setups start.
    EXPECT_EQ(MatlabsStarted(), std::vector<std::wstring>{});
}

// A slow connector holds the main thread before any message is dispatched: the progress
// window must have been painted before, so that it shows its text. Checked from outside
// while the program waits for the connector.
TEST_F(HostileRun, ProgressWindowIsPaintedWhileASlowConnectorIsAsked)
{
    testbed::StandInConnector slow = Serving32(std::wstring(L"9_3"));
    slow.createDelayMs = 3000;
    PutConnector(1, slow);

    int looks = 0;
    bool lastLookPainted = false;
    testbed::RunOptions options;
    options.onPoll = [&](DWORD processId) {
        HWND progress = testbed::FindProgressWindow(processId);
        if (progress != nullptr && ::IsWindowVisible(progress)) {
            ++looks;
            HWND label = ::GetWindow(progress, GW_CHILD);
            lastLookPainted = ::GetUpdateRect(progress, nullptr, FALSE) == FALSE &&
                              (label == nullptr || ::GetUpdateRect(label, nullptr, FALSE) == FALSE);
        }
    };
    // A folder that does not exist: after discovery the run ends without a message.
    const testbed::ProgramRun run = RunSetPath(L"-orxMatlabPath \"C:\\NoSuchFolder\"", options);

    ExpectCleanEnd(run);
    ASSERT_GT(looks, 0);
    EXPECT_TRUE(lastLookPainted);
}

TEST_F(HostileRun, SetupProgramThatIsAFolderIsSkippedAndTheNextSetupRuns)
{
    // ORX 10 (32-bit) is pending and its QvNewUserSetup.exe is a folder; ORX 12, pending
    // after it, has a real one.
    testbed::OrxInstallation next{Platform::Bits32, L"12", kX86 + L"\\QVR\\ORX 12\\bin\\Matlab",
                                  kX86 + L"\\QVR\\ORX 12\\bin"};
    machine_.orx.push_back(next);
    std::wstring error;
    ASSERT_TRUE(testbed::InstallSandbox(machine_, testbed::ExecutableDirectory(), error)) << error.c_str();
    const FolderInPlaceOfFile folderSetup(kX86 + L"\\QVR\\ORX 10\\bin\\QvNewUserSetup.exe", kX86 + L"\\QVR\\ORX 12");

    // List mode, OK with nothing ticked: no MATLAB, only the 32-bit per-user setups.
    DialogScript pressOk;
    const testbed::ProgramRun run = RunSetPath(L"-list", pressOk.Options());

    ExpectCleanEnd(run);
    EXPECT_TRUE(pressOk.done);
    EXPECT_EQ(MatlabsStarted(), std::vector<std::wstring>{next.binaryFolder + L"\\QvNewUserSetup.exe"});
}

}  // namespace
}  // namespace qv::e2e
