// A whole run of the real program, in list mode and in folder mode, writes nothing: the
// registry trees it reads are the same before and after, and no file appears, changes or
// goes anywhere on drive C: or beside the program, apart from the stand-ins' own log.
#include "machine_snapshot.h"
#include "run/sandbox_run.h"

#include "folder_dialog_driver.h"

namespace qv::e2e {
namespace {

const std::wstring kX86 = L"C:\\Program Files (x86)";
const std::wstring kX64 = L"C:\\Program Files";

class NothingWritten : public SandboxRun {
protected:
    void SetUp() override
    {
        SandboxRun::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        registryBefore_ = hardening::TakeRegistrySnapshot();
        filesBefore_ = Files();
        // The listing reaches into the sandbox's installations.
        ASSERT_EQ(filesBefore_.count(kX64 + L"\\MATLAB\\R2018a\\bin\\matlab.exe"), 1u);
    }

    // Drive C: and the folder of the program, without the stand-ins' log (written by the
    // stand-ins, not by the program).
    hardening::FileListing Files() const
    {
        const std::wstring programFolder = testbed::ExecutableDirectory();
        return hardening::ListFiles({L"C:", programFolder.substr(0, programFolder.size() - 1)}, {logPath_});
    }

    void ExpectNothingWritten() const
    {
        const hardening::RegistrySnapshot after = hardening::TakeRegistrySnapshot();
        EXPECT_EQ(hardening::DescribeDifferences(registryBefore_.machine32, after.machine32), "") << "HKLM 32-bit";
        EXPECT_EQ(hardening::DescribeDifferences(registryBefore_.machine64, after.machine64), "") << "HKLM 64-bit";
        EXPECT_EQ(hardening::DescribeDifferences(registryBefore_.user32, after.user32), "") << "HKCU 32-bit";
        EXPECT_EQ(hardening::DescribeDifferences(registryBefore_.user64, after.user64), "") << "HKCU 64-bit";
        EXPECT_EQ(hardening::DescribeDifferences(filesBefore_, Files()), "");
    }

    hardening::RegistrySnapshot registryBefore_;
    hardening::FileListing filesBefore_;
};

TEST_F(NothingWritten, ListModeWithFoldersTickedOnBothPlatforms)
{
    DialogScript script;
    script.work = [](HWND dialog) {
        testbed::ChoosePlatform(dialog, L"All");
        testbed::ClickCheckBox(dialog, testbed::kList32Id, 1);
        testbed::ClickCheckBox(dialog, testbed::kList64Id, 1);
    };
    const testbed::ProgramRun run = RunSetPath(L"-list -d", script.Options());
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(script.done);
    // MATLAB for each root of each platform, then the pending setups: the run did its work.
    EXPECT_EQ(Started().size(), 5u);
    ExpectNothingWritten();
}

TEST_F(NothingWritten, FolderMode)
{
    const testbed::ProgramRun run = RunSetPath(L"-d -x64 -orxMatlabPath \"" + kX64 + L"\\QVR\\ORX 11\\bin\\Matlab\"");
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(Started().size(), 2u);
    ExpectNothingWritten();
}

}  // namespace
}  // namespace qv::e2e
