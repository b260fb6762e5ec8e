#pragma once
// The refresh run: the whole body of the application's InitInstance. It calls the core
// operations of discovery and launcher itself, over the seams the composition root hands in.
#include "app/run_shell.h"
#include "common/info_box.h"
#include "discovery/connector_discovery.h"
#include "discovery/registry.h"
#include "launcher/matlab_runner.h"

#include <string>

namespace qv {

// The outside world of one run; each binding is made once by the composition root.
struct RefreshRunSeams {
    IRegistry& registry;
    IConnectorSource& connectors;
    IProcessLauncher& launcher;
    IRunShell& shell;
    IInfoBox& info;
};

// Runs the refresh for the command-line text after the program name.
void RunRefresh(const std::wstring& commandLine, const RefreshRunSeams& seams);

// Texts of the run's end points.
inline const wchar_t* const kDialogCancelledMessage = L"dialog was cancelled.";
inline const wchar_t* const kNoMatlabRootsMessage = L"No matlab registry values were found.\n";
inline const wchar_t* const kConnectorKeyPath = L"SOFTWARE\\QVR\\Matlab\\";
inline const wchar_t* const kConnectorValueName = L"MFileHome";
std::wstring FolderMissingMessage(const std::wstring& folder);

}  // namespace qv
