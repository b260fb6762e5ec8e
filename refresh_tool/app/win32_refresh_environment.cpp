#include "app/win32_refresh_environment.h"

#include <windows.h>

#include <commctrl.h>

namespace qv {

Win32RefreshEnvironment::Win32RefreshEnvironment(window::WinAppEx& app, IInfoBox& info) : app_(app), info_(info) {}

Win32RefreshEnvironment::~Win32RefreshEnvironment() = default;

void Win32RefreshEnvironment::OpenProgressWindow() {}

void Win32RefreshEnvironment::CloseProgressWindow() {}

void Win32RefreshEnvironment::FindConnectors(StringArray&, StringArray&, bool) {}

void Win32RefreshEnvironment::ReadConnectorLocation(const std::wstring&, const std::wstring&, std::wstring&,
                                                    std::wstring&, bool)
{
}

void Win32RefreshEnvironment::ListProductMatlabFolders(StringArray&, StringArray&) {}

void Win32RefreshEnvironment::PrepareGui()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);  // 8 bytes
    controls.dwICC = ICC_WIN95_CLASSES;  // 0xFF
    ::InitCommonControlsEx(&controls);
    app_.WinAppEx::InitInstance();
    app_.SetRegistryKey(L"Local AppWizard-Generated Applications");
}

int Win32RefreshEnvironment::ShowFolderSelectionDialog(FolderChoice&)
{
    return DialogCancel;
}

void Win32RefreshEnvironment::FindMatlabRoots(const StringArray&, const StringArray&, StringArray&, StringArray&) {}

bool Win32RefreshEnvironment::IsExistingDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void Win32RefreshEnvironment::RunMatlabRefresh(Platform, const std::wstring&, const std::wstring&,
                                               const StringArray&, bool)
{
}

void Win32RefreshEnvironment::RunPendingUserSetups(int, const StringArray&, const StringArray&) {}

}  // namespace qv
