#include "app/win32/run_shell.h"

#include "common/win32/path_kind.h"
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "dialogs/win32/running_dlg.h"

#include <windows.h>

#include <commctrl.h>

namespace qv::win32 {

Win32RunShell::Win32RunShell() = default;

Win32RunShell::~Win32RunShell() = default;

void Win32RunShell::OpenProgressWindow()
{
    progress_ = std::make_unique<RunningDlg>(nullptr);
    if (progress_->Create()) {
        progress_->ShowWindow(SW_SHOWNORMAL);
        // Discovery runs before any message is dispatched, and a connector may be slow: paint
        // the window once now, so that it shows its text meanwhile. This does not keep it
        // responsive; only a message box, the dialog or the wait for a process dispatches.
        ::UpdateWindow(progress_->GetSafeHwnd());
    }
}

void Win32RunShell::CloseProgressWindow()
{
    if (progress_) {
        progress_->DestroyWindow();
        progress_.reset();
    }
}

DialogResult Win32RunShell::ShowFolderSelectionDialog(FolderChoice& choice)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    static_assert(sizeof(controls) == 8 && ICC_WIN95_CLASSES == 0xFF);
    ::InitCommonControlsEx(&controls);

    CQvUiRefreshMatlabPathsDlg dialog(nullptr);
    dialog.m_folders32 = choice.folders32;
    dialog.m_folders64 = choice.folders64;
    dialog.m_platform = static_cast<int>(choice.platform);
    const INT_PTR result = dialog.DoModal();
    if (dialog.EndedByQuit()) {
        return DialogResult::EndedByQuit;
    }
    if (result == IDCANCEL) {
        return DialogResult::Cancel;
    }
    if (result != IDOK) {
        return DialogResult::NotShown;
    }
    choice.platform = static_cast<PlatformSelection>(dialog.m_platform);
    choice.folders32 = dialog.m_folders32;
    choice.folders64 = dialog.m_folders64;
    return DialogResult::Ok;
}

bool Win32RunShell::IsExistingDirectory(const std::wstring& path)
{
    return QueryPathKind(path) == PathKind::Directory;
}

std::wstring Win32RunShell::FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) {
        return path;
    }
    full.resize(length);
    return full;
}

}  // namespace qv::win32
