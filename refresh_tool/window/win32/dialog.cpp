#include "window/win32/dialog.h"

#include "window/win32/dialog_init.h"
#include "window/win32/rect.h"
#include "window/win32/win_app.h"

#include <algorithm>

namespace qv::window {
namespace {

// Messages whose result a dialog procedure returns itself instead of through
// DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog()
{
    if (hwnd_ == nullptr || modal_) {
        return;
    }
    // The derived parts (and the controls they own) are gone by now: unhook the object
    // first so that no message of the dying window reaches it.
    controls_.clear();
    HWND hwnd = hwnd_;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
}

INT_PTR Dialog::DoModal()
{
    modal_ = true;
    endedWith_.reset();
    endedByQuit_ = false;
    const INT_PTR result = ::DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    modal_ = false;
    if (result == -1 || endedWith_) {
        return result;
    }
    // The system's modal loop also ends when it meets WM_QUIT (code on this thread, such as an
    // in-process component, may post one) and then returns the dialog's initial result, IDOK,
    // although nobody answered. That is no answer: the result is -1, and the quit is kept for
    // the program's own loop so that the program still ends.
    MSG quit{};
    if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) == FALSE) {
        ::PostQuitMessage(0);
    }
    endedByQuit_ = true;
    return -1;
}

bool Dialog::Create()
{
    if (hwnd_ != nullptr) {
        return false;
    }
    modal_ = false;
    return ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::ShowWindow(int command) const
{
    return hwnd_ != nullptr && ::ShowWindow(hwnd_, command) != FALSE;
}

bool Dialog::DestroyWindow()
{
    // WM_NCDESTROY clears hwnd_.
    return hwnd_ != nullptr && ::DestroyWindow(hwnd_) != FALSE;
}

void Dialog::BindControl(int controlId, Window& control)
{
    if (control.GetSafeHwnd() != nullptr) {
        return;
    }
    HWND child = ::GetDlgItem(hwnd_, controlId);
    if (child == nullptr) {
        return;
    }
    control.Attach(child);
    controls_.push_back(&control);
}

bool Dialog::OnInitDialog()
{
    UpdateData(false);
    CentreWindow();
    return true;
}

void Dialog::OnOK()
{
    if (modal_ && UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void Dialog::OnCancel()
{
    if (modal_) {
        EndDialog(IDCANCEL);
    }
}

void Dialog::DoDataExchange(DataExchange&) {}

const MessageMap* Dialog::GetMessageMap() const
{
    static const MessageMap map(nullptr);
    return &map;
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange exchange{*this, saveAndValidate};
    DoDataExchange(exchange);
    return true;
}

void Dialog::EndDialog(INT_PTR result)
{
    if (hwnd_ != nullptr && ::EndDialog(hwnd_, result) != FALSE && modal_) {
        endedWith_ = result;
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return dialog->InitDialog(hwnd);
    }
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT, a list box's first
    // WM_MEASUREITEM) find no object and get the default handling.
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR Dialog::InitDialog(HWND hwnd)
{
    hwnd_ = hwnd;
    ApplyDialogInitData(hwnd, ResourceModule(), templateId_);
    return OnInitDialog() ? TRUE : FALSE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const MessageMapEntry* entry = GetMessageMap()->Find(message, wParam)) {
        LRESULT result = 0;
        if (entry->thunk(*this, wParam, lParam, result)) {
            if (ReturnsResultDirectly(message)) {
                return static_cast<INT_PTR>(result);
            }
            ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }

    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto control = std::find_if(controls_.begin(), controls_.end(),
                                          [item](Window* c) { return c->GetSafeHwnd() == item->hwndItem; });
        if (control != controls_.end() && (*control)->DrawItem(*item)) {
            ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    }
    case WM_NCDESTROY:
        WindowDestroyed();
        return FALSE;
    default:
        return FALSE;
    }
}

void Dialog::WindowDestroyed()
{
    for (Window* control : controls_) {
        control->Detach();
    }
    controls_.clear();
    ::SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

void Dialog::CentreWindow() const
{
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    HWND reference = parent_ != nullptr ? parent_ : hwnd_;
    if (!::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return;
    }
    RECT area = monitor.rcWork;
    if (parent_ != nullptr) {
        ::GetWindowRect(parent_, &area);
    }
    const PixelPoint origin = CentredOrigin(ToPixelRect(area), window.right - window.left, window.bottom - window.top);
    ::SetWindowPos(hwnd_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DDX_Control(DataExchange& exchange, int controlId, Window& control)
{
    exchange.dialog.BindControl(controlId, control);
}

}  // namespace qv::window
