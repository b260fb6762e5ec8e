#pragma once
// The application object of the thin window layer. One instance exists, constructed with
// static storage duration; the entry point calls its InitInstance once and runs a message
// loop only when that returns true.
#include <windows.h>

#include <string>

namespace qv::window {

class WinAppEx {
public:
    explicit WinAppEx(bool resourceSmartUpdate);
    virtual ~WinAppEx();
    WinAppEx(const WinAppEx&) = delete;
    WinAppEx& operator=(const WinAppEx&) = delete;

    // The base initialisation; derived classes call it before they show windows.
    virtual bool InitInstance();
    // Message loop, entered only when InitInstance returned true. Returns the exit code.
    virtual int Run();

    // Remembers the name under which settings would be kept; this layer keeps none.
    void SetRegistryKey(const wchar_t* companyName);
    const std::wstring& RegistryKey() const { return registryKey_; }

    // The one application object, or null before its construction.
    static WinAppEx* Current();

    // Filled in by the entry point before InitInstance.
    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";

private:
    bool resourceSmartUpdate_;
    std::wstring registryKey_;
};

// The module that holds the program's resources (templates, icons).
HINSTANCE ResourceModule();

}  // namespace qv::window
