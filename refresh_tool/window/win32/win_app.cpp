#include "window/win32/win_app.h"

namespace qv::window {
namespace {
WinAppEx* g_application = nullptr;
}

WinAppEx::WinAppEx(bool /*resourceSmartUpdate*/)
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

WinAppEx* WinAppEx::Current()
{
    return g_application;
}

HINSTANCE ResourceModule()
{
    return ::GetModuleHandleW(nullptr);
}

}  // namespace qv::window
