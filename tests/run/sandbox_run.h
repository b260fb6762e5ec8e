#pragma once
// Fixture for end-to-end runs: the demo's sandbox machine laid out in the prefix, the stand-ins
// logging to a fresh file, and QvMatlabSetPath.exe started through the UI driver.
#include "folder_dialog_driver.h"
#include "process_runner.h"
#include "sandbox_machine.h"
#include "standin_log.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace qv::testbed {
// Readable failure output: what a stand-in was started with.
void PrintTo(const StandinRun& run, std::ostream* out);
}  // namespace qv::testbed

namespace qv::e2e {

class SandboxRun : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the real program with the text after its name; `onPoll` may work its dialog.
    testbed::ProgramRun RunSetPath(const std::wstring& arguments, const testbed::RunOptions& options = {});
    // What the stand-in MATLABs and setup programs were started with, in order.
    std::vector<testbed::StandinRun> Started() const;

    testbed::SandboxMachine machine_ = testbed::DemoMachine();
    std::wstring logPath_;
};

std::vector<std::wstring> Texts(const std::vector<testbed::MessageBoxView>& boxes);

// Works the folder-selection dialog once it is up: `work` gets the dialog, then OK or the
// chosen ending is pressed. Remembers what the dialog showed when it came up.
struct DialogScript {
    std::function<void(HWND)> work;
    std::function<void(HWND)> end = [](HWND dialog) { testbed::PressButton(dialog, IDOK); };
    bool done = false;
    testbed::FolderDialogView firstLook;

    // Run options that follow this script; it must outlive the run.
    testbed::RunOptions Options();
};

}  // namespace qv::e2e
