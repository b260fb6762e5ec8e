// The refresh command read by a real M interpreter: each root's matlab.exe is the interpreting
// stand-in, which hands the -r statement to GNU Octave, where the test bed's orxRefresh records
// what it received and MATLAB's path at the call. Every string must arrive exactly, with the
// connector location first on the path; no injected call may run; and every statement must end
// the interpreter, also when orxRefresh fails or is missing.
#include "interpreting_matlab.h"
#include "launcher/matlab_runner.h"
#include "launcher/win32/process_launcher.h"
#include "sandbox_run.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::e2e {
namespace {

const std::wstring kX86 = L"C:\\Program Files (x86)";
const std::wstring kX64 = L"C:\\Program Files";
const std::wstring kConnector64 = kX64 + L"\\QVR\\ORX\\Matlab\\Connector";
const std::wstring kInitialPath = L"C:\\MATLAB\\toolbox\\matlab\\general;C:\\MATLAB\\toolbox\\local";

std::string Hex(const std::string& bytes)
{
    static const char* const digits = "0123456789abcdef";
    std::string out;
    for (const unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// One record line as orxRefresh writes it, for the strings it should have received.
std::string RefreshRecord(const std::wstring& connector, const std::wstring& tag, const std::wstring& folder)
{
    return "refresh\t" + Hex(testbed::ToUtf8(connector)) + "\t" + Hex(testbed::ToUtf8(tag)) + "\t" +
           Hex(testbed::ToUtf8(folder)) + "\t" + Hex(testbed::ToUtf8(connector + L";" + kInitialPath));
}

const std::string kQuit = "matlab\tquit";

class NullInfoBox final : public IInfoBox {
public:
    void Show(const std::wstring&) override {}
};

class Interpreter : public SandboxRun {
protected:
    Interpreter() { machine_.matlabStandIn = L"interpreting_matlab.exe"; }

    void SetUp() override
    {
        SandboxRun::SetUp();
        std::filesystem::create_directories(std::filesystem::path(testbed::WindowsPathOfUnixPath(kWork)));
        record_ = kWork + L"/record-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
        ::DeleteFileW(testbed::WindowsPathOfUnixPath(record_).c_str());
        Set(testbed::kOrxRecordVariable, record_);
        Set(testbed::kOctaveWorkVariable, kWork);
        Set(testbed::kOctaveRunnerVariable, kMDir + L"/run-octave.sh");
        Set(testbed::kOctavePathVariable, kMDir + L"/shim:" + kMDir + L"/refresh");
        // A statement that does not quit fails the test after this long instead of hanging it.
        Set(testbed::kOctaveTimeoutVariable, L"20");
    }

    void TearDown() override
    {
        for (const wchar_t* name :
             {testbed::kOrxRecordVariable, testbed::kOctaveWorkVariable, testbed::kOctaveRunnerVariable,
              testbed::kOctavePathVariable, testbed::kOctaveTimeoutVariable, L"QV_ORX_REFRESH_FAIL"}) {
            ::SetEnvironmentVariableW(name, nullptr);
        }
        ::DeleteFileW(testbed::WindowsPathOfUnixPath(record_).c_str());
        SandboxRun::TearDown();
    }

    static void Set(const wchar_t* name, const std::wstring& value) { ::SetEnvironmentVariableW(name, value.c_str()); }

    std::vector<std::string> Record() const
    {
        std::ifstream in(std::filesystem::path(testbed::WindowsPathOfUnixPath(record_)), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The runner as the program calls it, over the sandbox's 32-bit root(s).
    void Refresh(const std::wstring& connector, const std::wstring& folder, const StringArray& roots)
    {
        win32::Win32ProcessLauncher launcher;
        NullInfoBox info;
        RunMatlabRefresh(launcher, info, Platform::Bits32, folder, connector, roots, false);
    }

    const std::wstring kRoot32 = kX86 + L"\\MATLAB\\R2017b";
    const std::wstring kMDir = L"" QV_OCTAVE_M_DIR;
    const std::wstring kWork = L"" QV_OCTAVE_WORK_DIR;
    std::wstring record_;
};

TEST_F(Interpreter, FolderModeGivesEveryRootExactlyTheConnectorTagAndFolder)
{
    const std::wstring folder = kX64 + L"\\QVR\\ORX 11\\bin\\Matlab";
    const testbed::ProgramRun run = RunSetPath(L"-x64 -orxMatlabPath \"" + folder + L"\"");
    EXPECT_FALSE(run.timedOut);
    const std::string refresh = RefreshRecord(kConnector64, L"orxpath64", folder);
    EXPECT_EQ(Record(), (std::vector<std::string>{refresh, kQuit, refresh, kQuit}))
        << "exit " << run.exitCode << ", stand-in runs " << Started().size() << ", info boxes "
        << testing::PrintToString(Texts(run.infoBoxes));
}

// Names Windows allows, paired so that each launch carries several; and injection attempts
// through single and double quotes and line breaks, which must stay text.
TEST_F(Interpreter, TrickyNamesArriveExactlyAndNoInjectedCallRuns)
{
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {kX86 + L"\\QVR\\ORX 100% ;,&^!=\\Matlab", L"D:\\O'Neil's (ORX) [10] {x}\\Matlab\\"},
        {L"''C:\\Caf\u00e9 \u4e2d\u6587 \U0001F600\\''", L"E:\\\u00c5ngstr\u00f6m\\\u6570\u636e\\'' x ''"},
        {L"C:\\a b\\", L"''D:\\x\\\\"},
        {L"C:\\a', path); orxSentinel(); %", L"D:\\b'); orxSentinel; quit force; %'"},
        {L"C:\\x\" -r \"orxSentinel", L"D:\\y\" & orxSentinel & \"\r\norxSentinel\n'"},
    };
    std::vector<std::string> expected;
    for (const auto& [connector, folder] : cases) {
        Refresh(connector, folder, {kRoot32});
        expected.push_back(RefreshRecord(connector, L"orxpath32", folder));
        expected.push_back(kQuit);
    }
    EXPECT_EQ(Record(), expected) << "a line \"sentinel\" means injected code ran";
}

// MATLAB -automation has no window: a statement that does not reach "quit force" never ends.
TEST_F(Interpreter, FailingOrMissingOrxRefreshStillEndsTheInterpreterAndTheNextRootRuns)
{
    const std::wstring folder = kX86 + L"\\QVR\\ORX 10\\bin\\Matlab";
    const std::wstring connector = kX86 + L"\\QVR\\ORX\\Matlab\\Connector";
    Set(L"QV_ORX_REFRESH_FAIL", L"1");
    Refresh(connector, folder, {kRoot32, kRoot32});
    const std::string refresh = RefreshRecord(connector, L"orxpath32", folder);
    EXPECT_EQ(Record(), (std::vector<std::string>{refresh, kQuit, refresh, kQuit}));

    ::DeleteFileW(testbed::WindowsPathOfUnixPath(record_).c_str());
    Set(testbed::kOctavePathVariable, kMDir + L"/shim");  // no orxRefresh anywhere
    Refresh(connector, folder, {kRoot32, kRoot32});
    EXPECT_EQ(Record(), (std::vector<std::string>{kQuit, kQuit}));
}

}  // namespace
}  // namespace qv::e2e
