#pragma once
// The application object of the thin window layer. One instance exists, constructed with
// static storage duration; the entry point calls its InitInstance once. The program runs no
// message loop of its own: its windows are modal dialogs, each with its own loop.
#include <windows.h>

namespace qv::window {

class WinAppEx {
public:
    // The application passes the framework's resource-smart-update flag; this layer keeps
    // no resource cache for it to steer, so the flag changes nothing.
    explicit WinAppEx(bool resourceSmartUpdate);
    virtual ~WinAppEx();
    WinAppEx(const WinAppEx&) = delete;
    WinAppEx& operator=(const WinAppEx&) = delete;

    // The whole work of the program.
    virtual bool InitInstance();

    // The one application object, or null before its construction.
    static WinAppEx* Current();

    // Filled in by the entry point before InitInstance.
    const wchar_t* m_lpCmdLine = L"";
};

// The module that holds the program's resources (templates, icons).
HINSTANCE ResourceModule();

}  // namespace qv::window
