#include "app/win32/qv_ui_refresh_matlab_paths_app.h"

#include "app/refresh_run.h"
#include "app/win32/info_box.h"
#include "app/win32/run_shell.h"
#include "discovery/win32/com_connector_source.h"
#include "discovery/win32/registry.h"
#include "launcher/win32/process_launcher.h"

#include <objbase.h>

// The one application object, constructed before wWinMain runs.
CQvUiRefreshMatlabPathsApp theApp;

CQvUiRefreshMatlabPathsApp::CQvUiRefreshMatlabPathsApp() noexcept
    : WinAppEx(true), comEntered_(SUCCEEDED(::CoInitialize(nullptr)))
{
    // Without COM, connector discovery simply finds nothing.
}

CQvUiRefreshMatlabPathsApp::~CQvUiRefreshMatlabPathsApp()
{
    // Only a successful CoInitialize (S_OK or S_FALSE) is to be paired with CoUninitialize.
    if (comEntered_) {
        ::CoUninitialize();
    }
}

bool CQvUiRefreshMatlabPathsApp::InitInstance()
{
    // The composition root: each binding once, for the whole run.
    qv::win32::Win32InfoBox info;
    qv::win32::Win32Registry registry;
    qv::win32::ComConnectorSource connectors;
    qv::win32::Win32ProcessLauncher launcher;
    qv::win32::Win32RunShell shell;
    qv::RunRefresh(m_lpCmdLine, {registry, connectors, launcher, shell, info});
    return false;
}
