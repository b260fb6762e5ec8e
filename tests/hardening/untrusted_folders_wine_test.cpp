// Registry data that would make the program start a program it should not: folders that are
// not absolute, resolved against the directory the program was started in, and data of a
// non-string type whose bytes happen to spell a path. Each planted program logs to the
// stand-ins' log if it runs; none may.
#include "registry_writer.h"
#include "run/sandbox_run.h"

#include <filesystem>
#include <system_error>

namespace qv::e2e {
namespace {

const std::wstring kX86 = L"C:\\Program Files (x86)";
const std::wstring kFolder32 = kX86 + L"\\QVR\\ORX 10\\bin\\Matlab";
const std::wstring kRelease93 = L"SOFTWARE\\MathWorks\\MATLAB\\9.3";
// Where a shortcut's "Start in" puts the program.
const std::wstring kStartIn = L"C:\\qv\\bin";

class UntrustedFolders : public SandboxRun {
protected:
    void TearDown() override
    {
        for (const std::wstring& folder : planted_) {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(folder), ignored);
        }
        SandboxRun::TearDown();
    }

    // Puts a copy of a stand-in program at folder\name, removed again after the test.
    void Plant(const std::wstring& standIn, const std::wstring& folder, const std::wstring& name,
               const std::wstring& removeAfter)
    {
        planted_.push_back(removeAfter);
        std::filesystem::create_directories(std::filesystem::path(folder));
        ASSERT_TRUE(
            ::CopyFileW((testbed::ExecutableDirectory() + standIn).c_str(), (folder + L"\\" + name).c_str(), FALSE));
    }

    testbed::ProgramRun RunFromStartIn(const std::wstring& arguments, testbed::RunOptions options = {})
    {
        std::filesystem::create_directories(std::filesystem::path(kStartIn));
        options.workingDirectory = kStartIn;
        return RunSetPath(arguments, options);
    }

    std::vector<std::wstring> planted_;
};

TEST_F(UntrustedFolders, RelativeMatlabRootStartsNothingAndIsReportedMissing)
{
    ASSERT_TRUE(testbed::WriteString(HKEY_LOCAL_MACHINE, Platform::Bits32, kRelease93, L"MATLABROOT", L"M"));
    Plant(L"matlab.exe", kStartIn + L"\\M\\bin", L"matlab.exe", L"C:\\qv");

    const testbed::ProgramRun run = RunFromStartIn(L"-d -orxMatlabPath \"" + kFolder32 + L"\"");

    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(Started().empty());
    const std::vector<std::wstring> shown = Texts(run.infoBoxes);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), L"Could not find the matlab.exe at M\\bin\\matlab.exe");
}

TEST_F(UntrustedFolders, RelativeProgramFolderStartsNoSetup)
{
    // ORX 10 (32-bit) is pending for the user; its program folder is relative.
    ASSERT_TRUE(testbed::WriteString(HKEY_LOCAL_MACHINE, Platform::Bits32, L"SOFTWARE\\QVR\\ORX\\10",
                                     L"ORXBinaryFolder", L"ORX10"));
    Plant(L"QvNewUserSetup.exe", kStartIn + L"\\ORX10", L"QvNewUserSetup.exe", L"C:\\qv");

    // List mode, OK with nothing ticked: no MATLAB, only the 32-bit per-user setups.
    DialogScript pressOk;
    const testbed::ProgramRun run = RunFromStartIn(L"-list", pressOk.Options());

    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(pressOk.done);
    EXPECT_TRUE(Started().empty());
}

TEST_F(UntrustedFolders, MatlabRootOfNumberTypeIsAbsent)
{
    // 0x003A0043 is "C:" read as UTF-16: as text it would start C:\bin\matlab.exe.
    const DWORD spellsDriveC = 0x003A0043;
    ASSERT_TRUE(testbed::WriteValue(HKEY_LOCAL_MACHINE, Platform::Bits32, kRelease93, L"MATLABROOT", REG_DWORD,
                                    &spellsDriveC, sizeof(spellsDriveC)));
    Plant(L"matlab.exe", L"C:\\bin", L"matlab.exe", L"C:\\bin");

    const testbed::ProgramRun run = RunSetPath(L"-d -orxMatlabPath \"" + kFolder32 + L"\"");

    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(Started().empty());
    // No 32-bit root at all: the run ends before any MATLAB is looked for.
    for (const std::wstring& text : Texts(run.infoBoxes)) {
        EXPECT_EQ(text.find(L"matlab.exe"), std::wstring::npos) << testbed::ToUtf8(text);
    }
}

}  // namespace
}  // namespace qv::e2e
