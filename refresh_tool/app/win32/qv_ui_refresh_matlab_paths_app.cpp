#include "app/win32/qv_ui_refresh_matlab_paths_app.h"

#include "app/refresh_run.h"
#include "app/win32/info_box.h"
#include "app/win32/refresh_environment.h"

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
    qv::Win32InfoBox info;
    qv::Win32RefreshEnvironment environment(*this, info);
    qv::RunRefresh(m_lpCmdLine, environment, info);
    return false;
}
