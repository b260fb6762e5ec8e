#pragma once
// What only the Windows shell does for the refresh run: its two windows, and two questions
// about folders that the run asks in the shell's current directory.
#include "common/platform.h"
#include "common/string_array.h"

#include <string>

namespace qv {

// What the folder-selection dialog takes in and gives back.
struct FolderChoice {
    PlatformSelection platform = PlatformSelection::Bits32;
    StringArray folders32;
    StringArray folders64;
};

// How the folder-selection dialog ended. EndedByQuit: its loop met WM_QUIT before anyone
// answered (code on our thread, such as an in-process connector, asked the program to end).
// NotShown: it ended without OK or Cancel in any other way, as when it could not be made.
enum class DialogResult { Ok, Cancel, EndedByQuit, NotShown };

class IRunShell {
public:
    // The progress window: opened first, closed on every way out of the run.
    virtual void OpenProgressWindow() = 0;
    virtual void CloseProgressWindow() = 0;
    // Shows the folder-selection dialog modally; on OK `choice` holds the ticked folders and
    // the platform in force.
    virtual DialogResult ShowFolderSelectionDialog(FolderChoice& choice) = 0;
    virtual bool IsExistingDirectory(const std::wstring& path) = 0;
    // The full path that a relative path names from the current directory; the path itself
    // when it cannot be resolved.
    virtual std::wstring FullPath(const std::wstring& path) = 0;

protected:
    ~IRunShell() = default;
};

}  // namespace qv
