#include "window/win32/win_app.h"

namespace qv::window {
namespace {
WinAppEx* g_application = nullptr;
}

WinAppEx::WinAppEx(bool resourceSmartUpdate) : resourceSmartUpdate_(resourceSmartUpdate)
{
    g_application = this;
}

WinAppEx::~WinAppEx()
{
    if (g_application == this) {
        g_application = nullptr;
    }
}

bool WinAppEx::InitInstance()
{
    return true;
}

int WinAppEx::Run()
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void WinAppEx::SetRegistryKey(const wchar_t* companyName)
{
    registryKey_ = companyName;
}

WinAppEx* WinAppEx::Current()
{
    return g_application;
}

HINSTANCE ResourceModule()
{
    return ::GetModuleHandleW(nullptr);
}

}  // namespace qv::window
