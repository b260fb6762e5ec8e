#pragma once
// Starting MATLAB for a refresh and starting the per-user setup, over a process launcher
// that the Windows binding implements and the host tests fake.
#include "common/info_box.h"
#include "common/platform.h"
#include "common/string_array.h"
#include "launcher/launch_request.h"

#include <string>

namespace qv {

class IProcessLauncher {
public:
    // True only for an existing file; a directory of that name or an unreadable path is not one.
    virtual bool IsExistingFile(const std::wstring& path) = 0;
    // Starts the process and returns once it has ended; a process that cannot be started
    // makes it return at once, without a report.
    virtual void RunAndWait(const LaunchRequest& request) = 0;

protected:
    ~IProcessLauncher() = default;
};

// Runs MATLAB at each root in list order, one process at a time. The first root without
// matlab.exe ends the call: its message is shown under "-d" and the roots after it are not
// run. A root whose request paths are not absolute (RefreshRequestPathsAreAbsolute) counts
// as one without matlab.exe and is not looked at. A command line too long for Windows
// (CommandLineFits) is not started: its message is shown under "-d" and the next root is run.
void RunMatlabRefresh(IProcessLauncher& launcher, IInfoBox& info, Platform platform,
                      const std::wstring& orxMatlabFolder, const std::wstring& connectorLocation,
                      const StringArray& matlabRoots, bool showInfo);

// Runs "QvNewUserSetup.exe force" in the program folder and waits for it. A folder whose
// request paths are not absolute (NewUserSetupRequestPathsAreAbsolute) starts nothing.
void StartNewUserSetup(IProcessLauncher& launcher, const std::wstring& programFolder);

}  // namespace qv
