#pragma once
// The refresh run: the whole body of the application's InitInstance, as portable code over
// the operations of the other subsystems. The Windows composition root passes the real
// operations; the host tests pass recording fakes.
#include "common/info_box.h"
#include "common/platform.h"
#include "common/string_array.h"

#include <string>

namespace qv {

// What the folder-selection dialog takes in and gives back.
struct FolderChoice {
    int platform = Platform32;
    StringArray folders32;
    StringArray folders64;
};

enum DialogResult : int { DialogOk = 1, DialogCancel = 2 };

// The world the run talks to, one operation per step of the run.
class IRefreshRunEnvironment {
public:
    // The progress window: constructed, created and shown first; destroyed on every way out.
    virtual void OpenProgressWindow() = 0;
    virtual void CloseProgressWindow() = 0;

    virtual void FindConnectors(StringArray& connectors32, StringArray& connectors64, bool showInfo) = 0;
    virtual void ReadConnectorLocation(const std::wstring& keyPath, const std::wstring& valueName,
                                       std::wstring& location32, std::wstring& location64, bool showInfo) = 0;
    virtual void ListProductMatlabFolders(StringArray& folders32, StringArray& folders64) = 0;
    // InitCommonControlsEx, the base initialisation and the registry-key name, before the dialog.
    virtual void PrepareGui() = 0;
    // Shows the folder-selection dialog modally; on OK `choice` holds the ticked folders and
    // the platform in force. Returns the dialog's result.
    virtual int ShowFolderSelectionDialog(FolderChoice& choice) = 0;
    virtual void FindMatlabRoots(const StringArray& connectors32, const StringArray& connectors64,
                                 StringArray& roots32, StringArray& roots64) = 0;
    virtual bool IsExistingDirectory(const std::wstring& path) = 0;
    // The full path that a relative path names from the current directory (GetFullPathNameW);
    // the path itself when it cannot be resolved.
    virtual std::wstring FullPath(const std::wstring& path) = 0;
    virtual void RunMatlabRefresh(Platform platform, const std::wstring& orxMatlabFolder,
                                  const std::wstring& connectorLocation, const StringArray& matlabRoots,
                                  bool showInfo) = 0;
    virtual void RunPendingUserSetups(int selection, const StringArray& folders32, const StringArray& folders64) = 0;

protected:
    ~IRefreshRunEnvironment() = default;
};

// Runs the refresh for the command-line text after the program name. Messages go to `info`.
void RunRefresh(const std::wstring& commandLine, IRefreshRunEnvironment& environment, IInfoBox& info);

// Texts of the run's end points.
inline const wchar_t* const kDialogCancelledMessage = L"dialog was cancelled.";
inline const wchar_t* const kNoMatlabRootsMessage = L"No matlab registry values were found.\n";
inline const wchar_t* const kConnectorKeyPath = L"SOFTWARE\\QVR\\Matlab\\";
inline const wchar_t* const kConnectorValueName = L"MFileHome";
std::wstring FolderMissingMessage(const std::wstring& folder);

// "X:\..." or "X:/..." or a UNC or device path ("\\server\share", "\\?\..."). A path without
// a drive ("\a"), one relative to a drive's current folder ("C:a") and a plain "a" are relative.
bool IsAbsolutePath(const std::wstring& path);

}  // namespace qv
