#include "app/refresh_run.h"

#include "app/command_line.h"
#include "common/absolute_path.h"
#include "discovery/connector_location.h"
#include "discovery/matlab_installations.h"
#include "discovery/product_installation.h"
#include "discovery/user_setups.h"

namespace qv {
namespace {

// Closes the progress window on every way out of the run, after any final message box.
class ProgressWindowScope {
public:
    explicit ProgressWindowScope(IRunShell& shell) : shell_(shell) { shell_.OpenProgressWindow(); }
    ~ProgressWindowScope() { shell_.CloseProgressWindow(); }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;

private:
    IRunShell& shell_;
};

// List mode: every chosen folder that exists is refreshed; a missing one is reported and skipped.
// A folder from the registry that is not absolute counts as missing: we would test it against
// our own current directory, MATLAB would resolve it in R\bin, and each names another folder.
void RefreshChosenFolders(Platform platform, const StringArray& folders, const std::wstring& connectorLocation,
                          const StringArray& roots, bool showInfo, const RefreshRunSeams& seams)
{
    for (const std::wstring& folder : folders) {
        if (IsAbsolutePath(folder) && seams.shell.IsExistingDirectory(folder)) {
            RunMatlabRefresh(seams.launcher, seams.info, platform, folder, connectorLocation, roots, showInfo);
        } else {
            ShowInfoMessage(seams.info, showInfo, FolderMissingMessage(folder));
        }
    }
}

void RunSetups(const RefreshRunSeams& seams, PlatformSelection selection, const PlatformPair<StringArray>& products)
{
    RunPendingUserSetups(seams.registry, selection, products.bits32, products.bits64,
                         [&seams](const std::wstring& programFolder) {
                             StartNewUserSetup(seams.launcher, programFolder);
                         });
}

}  // namespace

std::wstring FolderMissingMessage(const std::wstring& folder)
{
    return L"The ORX matlab folder does not exist at " + folder + L".\n";
}

void RunRefresh(const std::wstring& commandLine, const RefreshRunSeams& seams)
{
    ProgressWindowScope progress(seams.shell);
    IInfoBox& info = seams.info;

    const ParsedCommandLine parsed = ParseCommandLine(commandLine);
    RefreshOptions options = parsed.options;
    const bool showInfo = options.showInfo;

    if (parsed.platformConflict) {
        ShowInfoMessage(info, showInfo, kPlatformConflictMessage);
        return;
    }
    if (options.showUsage) {
        info.Show(BuildUsageText());
        return;
    }

    PlatformPair<StringArray> connectors;
    FindConnectors(seams.connectors, info, connectors.bits32, connectors.bits64, showInfo);

    PlatformPair<std::wstring> connectorLocation;
    ReadConnectorLocation(seams.registry, info, kConnectorKeyPath, kConnectorValueName, connectorLocation.bits32,
                          connectorLocation.bits64, showInfo);

    if (options.matlabFolder.empty() && !options.showList) {
        info.Show(BuildUsageText());
        return;
    }

    PlatformPair<StringArray> productFolders;
    PlatformPair<StringArray> chosenFolders;
    if (options.showList) {
        ListProductMatlabFolders(seams.registry, productFolders.bits32, productFolders.bits64);

        FolderChoice choice{options.platform, productFolders.bits32, productFolders.bits64};
        const DialogResult result = seams.shell.ShowFolderSelectionDialog(choice);
        if (result == DialogResult::Ok) {
            options.platform = choice.platform;
            chosenFolders = {choice.folders32, choice.folders64};
        } else if (result == DialogResult::Cancel) {
            ShowInfoMessage(info, showInfo, kDialogCancelledMessage);
            return;
        } else if (result == DialogResult::EndedByQuit) {
            // Nobody answered and the program is to end: nothing more is started.
            return;
        }
    }

    PlatformPair<StringArray> matlabRoots;
    FindMatlabRoots(seams.registry, connectors.bits32, connectors.bits64, matlabRoots.bits32, matlabRoots.bits64);
    if (matlabRoots.bits32.empty() && matlabRoots.bits64.empty()) {
        ShowInfoMessage(info, showInfo, kNoMatlabRootsMessage);
        return;
    }

    if (options.showList) {
        for (const Platform platform : kPlatforms) {
            if (Includes(options.platform, platform)) {
                RefreshChosenFolders(platform, chosenFolders[platform], connectorLocation[platform],
                                     matlabRoots[platform], showInfo, seams);
            }
        }
        RunSetups(seams, options.platform, productFolders);
        return;
    }

    // MATLAB runs in R\bin, where a relative folder would name another one: it gets the
    // full path that the existence test saw.
    const std::wstring folder = IsAbsolutePath(options.matlabFolder) ? options.matlabFolder
                                                                     : seams.shell.FullPath(options.matlabFolder);
    if (!seams.shell.IsExistingDirectory(folder)) {
        ShowInfoMessage(info, showInfo, FolderMissingMessage(options.matlabFolder));
        return;
    }
    const Platform platform = SinglePlatform(options.platform);
    RunMatlabRefresh(seams.launcher, info, platform, folder, connectorLocation[platform], matlabRoots[platform],
                     showInfo);
    // Folder mode has no product lists, so no setup pass starts.
    RunSetups(seams, options.platform, productFolders);
}

}  // namespace qv
