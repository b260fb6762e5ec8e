#pragma once
#include "window/win_app.h"

// The application object of QvMatlabSetPath. Its constructor enters a single-threaded COM
// apartment for the main thread (connector discovery needs it) and its destructor leaves it.
class CQvUiRefreshMatlabPathsApp : public qv::window::WinAppEx {
public:
    CQvUiRefreshMatlabPathsApp();
    ~CQvUiRefreshMatlabPathsApp() override;

    // The whole refresh run. Returns false on every path, so no message loop starts.
    bool InitInstance() override;
};
