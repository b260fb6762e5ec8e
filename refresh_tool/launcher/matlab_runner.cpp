#include "launcher/matlab_runner.h"

namespace qv {

void RunMatlabRefresh(IProcessLauncher& launcher, IInfoBox& info, Platform platform,
                      const std::wstring& orxMatlabFolder, const std::wstring& connectorLocation,
                      const StringArray& matlabRoots, bool showInfo)
{
    for (const std::wstring& root : matlabRoots) {
        if (root.empty() || !launcher.IsExistingFile(MatlabExecutablePath(root))) {
            ShowInfoMessage(info, showInfo, MatlabMissingMessage(root));
            return;
        }
        launcher.RunAndWait(BuildRefreshRequest(platform, root, connectorLocation, orxMatlabFolder));
    }
}

void StartNewUserSetup(IProcessLauncher& launcher, const std::wstring& programFolder)
{
    if (programFolder.empty()) {
        return;
    }
    launcher.RunAndWait(BuildNewUserSetupRequest(programFolder));
}

}  // namespace qv
