#include "launcher/matlab_runner.h"

namespace qv {

void RunMatlabRefresh(IProcessLauncher& launcher, IInfoBox& info, Platform platform,
                      const std::wstring& orxMatlabFolder, const std::wstring& connectorLocation,
                      const StringArray& matlabRoots, bool showInfo)
{
    for (const std::wstring& root : matlabRoots) {
        if (!RefreshRequestPathsAreAbsolute(root) || !launcher.IsExistingFile(MatlabExecutablePath(root))) {
            ShowInfoMessage(info, showInfo, MatlabMissingMessage(root));
            return;
        }
        const LaunchRequest request = BuildRefreshRequest(platform, root, connectorLocation, orxMatlabFolder);
        if (!CommandLineFits(request)) {
            // Not started; the next root is run, as after a start that failed.
            ShowInfoMessage(info, showInfo, CommandLineTooLongMessage(request));
            continue;
        }
        launcher.RunAndWait(request);
    }
}

void StartNewUserSetup(IProcessLauncher& launcher, const std::wstring& programFolder)
{
    if (!NewUserSetupRequestPathsAreAbsolute(programFolder)) {
        return;
    }
    launcher.RunAndWait(BuildNewUserSetupRequest(programFolder));
}

}  // namespace qv
