#pragma once
// Composition root: the refresh run's operations wired to the real Windows bindings.
#include "app/refresh_run.h"
#include "window/win32/win_app.h"

#include <memory>

class RunningDlg;

namespace qv {

class Win32RefreshEnvironment final : public IRefreshRunEnvironment {
public:
    Win32RefreshEnvironment(window::WinAppEx& app, IInfoBox& info);
    ~Win32RefreshEnvironment();
    // Owns the progress window for the run; one environment per run.
    Win32RefreshEnvironment(const Win32RefreshEnvironment&) = delete;
    Win32RefreshEnvironment& operator=(const Win32RefreshEnvironment&) = delete;

    void OpenProgressWindow() override;
    void CloseProgressWindow() override;
    void FindConnectors(StringArray& connectors32, StringArray& connectors64, bool showInfo) override;
    void ReadConnectorLocation(const std::wstring& keyPath, const std::wstring& valueName,
                               std::wstring& location32, std::wstring& location64, bool showInfo) override;
    void ListProductMatlabFolders(StringArray& folders32, StringArray& folders64) override;
    void PrepareGui() override;
    int ShowFolderSelectionDialog(FolderChoice& choice) override;
    void FindMatlabRoots(const StringArray& connectors32, const StringArray& connectors64, StringArray& roots32,
                         StringArray& roots64) override;
    bool IsExistingDirectory(const std::wstring& path) override;
    std::wstring FullPath(const std::wstring& path) override;  // GetFullPathNameW
    void RunMatlabRefresh(Platform platform, const std::wstring& orxMatlabFolder,
                          const std::wstring& connectorLocation, const StringArray& matlabRoots,
                          bool showInfo) override;
    void RunPendingUserSetups(int selection, const StringArray& folders32, const StringArray& folders64) override;

private:
    window::WinAppEx& app_;
    IInfoBox& info_;
    std::unique_ptr<RunningDlg> progress_;  // the progress window, while the run lasts
};

}  // namespace qv
