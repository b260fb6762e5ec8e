#pragma once
#include "window/win32/win_app.h"

// The application object of QvMatlabSetPath. Its constructor enters a single-threaded COM
// apartment for the main thread (connector discovery needs it) and its destructor leaves it,
// if it was entered.
class CQvUiRefreshMatlabPathsApp : public qv::window::WinAppEx {
public:
    // Runs during static initialisation, where an exception could not be caught.
    CQvUiRefreshMatlabPathsApp() noexcept;
    ~CQvUiRefreshMatlabPathsApp() override;
    // A copy would leave the apartment a second time.
    CQvUiRefreshMatlabPathsApp(const CQvUiRefreshMatlabPathsApp&) = delete;
    CQvUiRefreshMatlabPathsApp& operator=(const CQvUiRefreshMatlabPathsApp&) = delete;

    // The whole refresh run, over the bindings it makes once. Returns false: nothing is left to run.
    bool InitInstance() override;

private:
    bool comEntered_;
};
