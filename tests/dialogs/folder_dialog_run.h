#pragma once
// Runs the folder-selection dialog in its own process (folder_dialog_host.exe) for the Wine
// tests, works it while it is on screen, and reads back what the host reported.
#include "folder_dialog_driver.h"
#include "process_runner.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::testbed {

// What the host reported after the dialog ended.
struct DialogOutcome {
    bool sawDialog = false;
    bool progressShown = false;
    int result = 0;
    int platform = -1;
    std::vector<std::wstring> folders32;
    std::vector<std::wstring> folders64;
};

// Starts the host with `arguments`; once the dialog is on screen, `work` reads and works
// it and must end it. `work` also gets the host's process id.
DialogOutcome RunDialog(const std::wstring& arguments, const std::function<void(HWND dialog, DWORD processId)>& work);
DialogOutcome RunDialog(const std::wstring& arguments, const std::function<void(HWND dialog)>& work);

}  // namespace qv::testbed
