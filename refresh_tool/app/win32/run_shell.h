#pragma once
// The refresh run's shell on Windows: the progress window, the folder-selection dialog and
// the two folder questions.
#include "app/run_shell.h"

#include <memory>

class RunningDlg;

namespace qv::win32 {

class Win32RunShell final : public IRunShell {
public:
    Win32RunShell();
    ~Win32RunShell();
    // Owns the progress window for the run; one shell per run.
    Win32RunShell(const Win32RunShell&) = delete;
    Win32RunShell& operator=(const Win32RunShell&) = delete;

    void OpenProgressWindow() override;
    void CloseProgressWindow() override;
    // Registers the common control classes first (InitCommonControlsEx).
    DialogResult ShowFolderSelectionDialog(FolderChoice& choice) override;
    bool IsExistingDirectory(const std::wstring& path) override;  // QueryPathKind
    std::wstring FullPath(const std::wstring& path) override;     // GetFullPathNameW

private:
    std::unique_ptr<RunningDlg> progress_;  // the progress window, while the run lasts
};

}  // namespace qv::win32
