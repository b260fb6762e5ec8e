#pragma once
// Scoped painting and device-context state: each releases or restores what it took on
// every way out of a drawing routine.
#include <windows.h>

namespace qv::window {

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd_, &paint_); }
    ~PaintScope() { ::EndPaint(hwnd_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// GetDC/ReleaseDC of a window's client area.
class ClientDc {
public:
    explicit ClientDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~ClientDc()
    {
        if (dc_ != nullptr) {
            ::ReleaseDC(hwnd_, dc_);
        }
    }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects a GDI object into a device context and selects the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? ::SelectObject(dc, object) : nullptr)
    {
    }
    ~SelectedObject()
    {
        if (previous_ != nullptr) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Text colours and background mode of a device context, restored on exit.
class TextColours {
public:
    TextColours(HDC dc, COLORREF text, COLORREF background)
        : dc_(dc), text_(::SetTextColor(dc, text)), background_(::SetBkColor(dc, background)),
          mode_(::SetBkMode(dc, TRANSPARENT))
    {
    }
    ~TextColours()
    {
        ::SetTextColor(dc_, text_);
        ::SetBkColor(dc_, background_);
        ::SetBkMode(dc_, mode_);
    }
    TextColours(const TextColours&) = delete;
    TextColours& operator=(const TextColours&) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF background_;
    int mode_;
};

}  // namespace qv::window
