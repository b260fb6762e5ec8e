#include "app/win32/refresh_environment.h"

#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "dialogs/win32/running_dlg.h"

#include "launcher/matlab_runner.h"
#include "launcher/user_setups.h"
#include "launcher/win32/process_launcher.h"

#include "discovery/win32/com_connector_source.h"
#include "discovery/connector_discovery.h"
#include "discovery/connector_location.h"
#include "discovery/matlab_installations.h"
#include "discovery/product_installation.h"
#include "discovery/win32/registry.h"

#include <windows.h>

#include <commctrl.h>

namespace qv {

Win32RefreshEnvironment::Win32RefreshEnvironment(window::WinAppEx& app, IInfoBox& info) : app_(app), info_(info) {}

Win32RefreshEnvironment::~Win32RefreshEnvironment() = default;

void Win32RefreshEnvironment::OpenProgressWindow()
{
    progress_ = std::make_unique<RunningDlg>(nullptr);
    if (progress_->Create()) {
        progress_->ShowWindow(SW_SHOWNORMAL);
    }
}

void Win32RefreshEnvironment::CloseProgressWindow()
{
    if (progress_) {
        progress_->DestroyWindow();
        progress_.reset();
    }
}

void Win32RefreshEnvironment::FindConnectors(StringArray& connectors32, StringArray& connectors64, bool showInfo)
{
    win32::ComConnectorSource source;
    qv::FindConnectors(source, info_, connectors32, connectors64, showInfo);
}

void Win32RefreshEnvironment::ReadConnectorLocation(const std::wstring& keyPath, const std::wstring& valueName,
                                                    std::wstring& location32, std::wstring& location64,
                                                    bool showInfo)
{
    win32::Win32Registry registry;
    qv::ReadConnectorLocation(registry, info_, keyPath, valueName, location32, location64, showInfo);
}

void Win32RefreshEnvironment::ListProductMatlabFolders(StringArray& folders32, StringArray& folders64)
{
    win32::Win32Registry registry;
    qv::ListProductMatlabFolders(registry, folders32, folders64);
}

void Win32RefreshEnvironment::PrepareGui()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    static_assert(sizeof(controls) == 8 && ICC_WIN95_CLASSES == 0xFF);
    ::InitCommonControlsEx(&controls);
    app_.WinAppEx::InitInstance();
    app_.SetRegistryKey(L"Local AppWizard-Generated Applications");
}

int Win32RefreshEnvironment::ShowFolderSelectionDialog(FolderChoice& choice)
{
    CQvUiRefreshMatlabPathsDlg dialog(nullptr);
    dialog.m_folders32 = choice.folders32;
    dialog.m_folders64 = choice.folders64;
    dialog.m_platform = choice.platform;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) {
        choice.platform = dialog.m_platform;
        choice.folders32 = dialog.m_folders32;
        choice.folders64 = dialog.m_folders64;
    }
    return static_cast<int>(result);
}

void Win32RefreshEnvironment::FindMatlabRoots(const StringArray& connectors32, const StringArray& connectors64,
                                               StringArray& roots32, StringArray& roots64)
{
    win32::Win32Registry registry;
    qv::FindMatlabRoots(registry, connectors32, connectors64, roots32, roots64);
}

bool Win32RefreshEnvironment::IsExistingDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring Win32RefreshEnvironment::FullPath(const std::wstring& path)
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

void Win32RefreshEnvironment::RunMatlabRefresh(Platform platform, const std::wstring& orxMatlabFolder,
                                               const std::wstring& connectorLocation, const StringArray& matlabRoots,
                                               bool showInfo)
{
    win32::Win32ProcessLauncher launcher;
    qv::RunMatlabRefresh(launcher, info_, platform, orxMatlabFolder, connectorLocation, matlabRoots, showInfo);
}

void Win32RefreshEnvironment::RunPendingUserSetups(int selection, const StringArray& folders32,
                                                   const StringArray& folders64)
{
    win32::Win32Registry registry;
    win32::Win32ProcessLauncher launcher;
    qv::RunPendingUserSetups(registry, selection, folders32, folders64,
                             [&launcher](const std::wstring& programFolder) { StartNewUserSetup(launcher, programFolder); });
}

}  // namespace qv
