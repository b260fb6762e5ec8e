#include "app/refresh_run.h"

#include "app/command_line.h"

namespace qv {
namespace {

// Destroys the progress window on every way out of the run, after any final message box.
class ProgressWindowScope {
public:
    explicit ProgressWindowScope(IRefreshRunEnvironment& environment) : environment_(environment)
    {
        environment_.OpenProgressWindow();
    }
    ~ProgressWindowScope() { environment_.CloseProgressWindow(); }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;

private:
    IRefreshRunEnvironment& environment_;
};

struct PlatformInputs {
    Platform platform;
    const StringArray& folders;
    const std::wstring& connectorLocation;
    const StringArray& roots;
};

// List mode: every chosen folder that exists is refreshed; a missing one is reported and skipped.
void RefreshChosenFolders(const PlatformInputs& in, bool showInfo, IRefreshRunEnvironment& environment,
                          IInfoBox& info)
{
    for (const std::wstring& folder : in.folders) {
        if (environment.IsExistingDirectory(folder)) {
            environment.RunMatlabRefresh(in.platform, folder, in.connectorLocation, in.roots, showInfo);
        } else {
            ShowInfoMessage(info, showInfo, FolderMissingMessage(folder));
        }
    }
}

}  // namespace

bool IsAbsolutePath(const std::wstring& path)
{
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const bool drive = path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                       path[1] == L':' && separator(path[2]);
    const bool unc = path.size() >= 2 && separator(path[0]) && separator(path[1]);
    return drive || unc;
}

std::wstring FolderMissingMessage(const std::wstring& folder)
{
    return L"The ORX matlab folder does not exist at " + folder + L".\n";
}

void RunRefresh(const std::wstring& commandLine, IRefreshRunEnvironment& environment, IInfoBox& info)
{
    ProgressWindowScope progress(environment);

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

    StringArray connectors32;
    StringArray connectors64;
    environment.FindConnectors(connectors32, connectors64, showInfo);

    std::wstring connectorLocation32;
    std::wstring connectorLocation64;
    environment.ReadConnectorLocation(kConnectorKeyPath, kConnectorValueName, connectorLocation32,
                                      connectorLocation64, showInfo);

    if (options.matlabFolder.empty() && !options.showList) {
        info.Show(BuildUsageText());
        return;
    }

    StringArray productFolders32;
    StringArray productFolders64;
    StringArray chosenFolders32;
    StringArray chosenFolders64;
    if (options.showList) {
        environment.ListProductMatlabFolders(productFolders32, productFolders64);
        environment.PrepareGui();

        FolderChoice choice{options.platform, productFolders32, productFolders64};
        const int result = environment.ShowFolderSelectionDialog(choice);
        if (result == DialogOk) {
            options.platform = static_cast<PlatformSelection>(choice.platform);
            chosenFolders32 = choice.folders32;
            chosenFolders64 = choice.folders64;
        } else if (result == DialogCancel) {
            ShowInfoMessage(info, showInfo, kDialogCancelledMessage);
            return;
        }
    }

    StringArray matlabRoots32;
    StringArray matlabRoots64;
    environment.FindMatlabRoots(connectors32, connectors64, matlabRoots32, matlabRoots64);
    if (matlabRoots32.empty() && matlabRoots64.empty()) {
        ShowInfoMessage(info, showInfo, kNoMatlabRootsMessage);
        return;
    }

    if (options.showList) {
        if (SelectionIncludes32(options.platform)) {
            RefreshChosenFolders({Platform::Bits32, chosenFolders32, connectorLocation32, matlabRoots32}, showInfo,
                                 environment, info);
        }
        if (SelectionIncludes64(options.platform)) {
            RefreshChosenFolders({Platform::Bits64, chosenFolders64, connectorLocation64, matlabRoots64}, showInfo,
                                 environment, info);
        }
        environment.RunPendingUserSetups(options.platform, productFolders32, productFolders64);
        return;
    }

    // MATLAB runs in R\bin, where a relative folder would name another one: it gets the
    // full path that the existence test saw.
    const std::wstring folder = IsAbsolutePath(options.matlabFolder) ? options.matlabFolder
                                                                     : environment.FullPath(options.matlabFolder);
    if (!environment.IsExistingDirectory(folder)) {
        ShowInfoMessage(info, showInfo, FolderMissingMessage(options.matlabFolder));
        return;
    }
    if (options.platform == Platform32) {
        environment.RunMatlabRefresh(Platform::Bits32, folder, connectorLocation32, matlabRoots32, showInfo);
    } else {
        environment.RunMatlabRefresh(Platform::Bits64, folder, connectorLocation64, matlabRoots64, showInfo);
    }
    // Folder mode has no product lists, so no setup pass starts.
    environment.RunPendingUserSetups(options.platform, productFolders32, productFolders64);
}

}  // namespace qv
