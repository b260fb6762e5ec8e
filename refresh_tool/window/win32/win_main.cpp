// Entry point of the thin window layer: hands the command line to the one application
// object and runs it, as a GUI framework's main routine would.
#include "window/win32/win_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    qv::window::WinAppEx* app = qv::window::WinAppEx::Current();
    if (app == nullptr) {
        return 0;
    }
    app->m_lpCmdLine = commandLine != nullptr ? commandLine : L"";
    app->InitInstance();
    return 0;  // the program sets no exit status of its own
}
