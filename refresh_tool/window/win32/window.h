#pragma once
// A C++ object over one window handle. It does not own the window: dialogs destroy their
// own windows, and a control's window belongs to its dialog. A dialog binds its controls
// (DDX_Control) and detaches them when its window goes.
#include <windows.h>

namespace qv::window {

class Window {
public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND GetSafeHwnd() const { return hwnd_; }

    // Binds the object to an existing window; a control may subclass it here.
    virtual void Attach(HWND hwnd) { hwnd_ = hwnd; }
    virtual void Detach() { hwnd_ = nullptr; }

    // Owner-draw requests that the parent dialog passes on to the control they concern.
    virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

    bool EnableWindow(bool enable) const { return ::EnableWindow(hwnd_, enable ? TRUE : FALSE) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }

protected:
    HWND hwnd_ = nullptr;
};

}  // namespace qv::window
