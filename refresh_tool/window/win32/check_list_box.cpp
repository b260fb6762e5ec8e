#include "window/win32/check_list_box.h"

#include "window/check_list_accessibility.h"
#include "window/win32/gdi_scope.h"
#include "window/win32/rect.h"

#include <commctrl.h>
#include <vsstyle.h>

#include <new>

namespace qv::window {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kClassicBoxSizeAt96Dpi = 13;

// Client coordinates of a mouse message; they are negative left of or above the window.
int SignedLow(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}
int SignedHigh(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

int ThemeState(int check, bool enabled)
{
    switch (check) {
    case CheckListBox::Checked:
        return enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED;
    case CheckListBox::Indeterminate:
        return enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED;
    default:
        return enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED;
    }
}

UINT ClassicState(int check, bool enabled)
{
    UINT state = DFCS_BUTTONCHECK;
    if (check == CheckListBox::Checked) {
        state |= DFCS_CHECKED;
    } else if (check == CheckListBox::Indeterminate) {
        state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    }
    if (!enabled) {
        state |= DFCS_INACTIVE;
    }
    return state;
}

}  // namespace

CheckListBox::~CheckListBox()
{
    Unhook();
}

void CheckListBox::Attach(HWND hwnd)
{
    Unhook();
    Window::Attach(hwnd);
    ::SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    OpenTheme();
    FitItemHeight();
}

void CheckListBox::Detach()
{
    Unhook();
}

void CheckListBox::Unhook()
{
    if (hwnd_ != nullptr) {
        ::RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
    }
    theme_.reset();
    if (accessible_) {
        accessible_->Disconnect();
        accessible_.reset();
    }
    hwnd_ = nullptr;
}

LRESULT CheckListBox::AccessibleObject(WPARAM flags)
{
    if (!accessible_) {
        // No exception may leave a window procedure; without an object the system answers.
        *accessible_.put() = new (std::nothrow) CheckListAccessible(*this);
        if (!accessible_) {
            return 0;
        }
    }
    const LRESULT reference = ::LresultFromObject(kIidAccessible, flags, accessible_.get());
    return FAILED(static_cast<HRESULT>(reference)) ? 0 : reference;
}

int CheckListBox::GetCount() const
{
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CheckListBox::GetCheck(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return LB_ERR;
    }
    return static_cast<int>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

bool CheckListBox::SetCheck(int index, int check) const
{
    const int old = GetCheck(index);
    if (old == LB_ERR || check < Unchecked || check > Indeterminate) {
        return false;
    }
    SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), check);
    InvalidateItem(index);
    if (check != old) {
        ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd_, OBJID_CLIENT, ChildIdOfItem(index));
    }
    return true;
}

std::wstring CheckListBox::GetText(int index) const
{
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int CheckListBox::InsertString(int index, const std::wstring& text) const
{
    const int inserted = static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    if (inserted >= 0) {
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(inserted), Unchecked);
    }
    return inserted;
}

bool CheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_LISTBOX || item.hwndItem != hwnd_) {
        return false;
    }
    HDC dc = item.hDC;
    const bool showFocus = (item.itemState & ODS_NOFOCUSRECT) == 0;
    if (item.itemID == static_cast<UINT>(-1)) {
        // An empty list draws only the focus rectangle, which toggles.
        if ((item.itemAction & ODA_FOCUS) != 0 && showFocus) {
            ::DrawFocusRect(dc, &item.rcItem);
        }
        return true;
    }

    SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const bool enabled = IsWindowEnabled();
    const bool selected = enabled && (item.itemState & ODS_SELECTED) != 0;
    const CheckListItemLayout layout = LayOutCheckListItem(ToPixelRect(item.rcItem), BoxSize(dc));
    const RECT box = ToRect(layout.box);
    const RECT textArea = ToRect(layout.text);

    // Every request redraws the whole item, so no stale focus rectangle can remain.
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    if (selected) {
        ::FillRect(dc, &textArea, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    DrawCheckBox(dc, box, GetCheck(static_cast<int>(item.itemID)), enabled);

    const int textColour = !enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    TextColours colours(dc, ::GetSysColor(textColour), ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::wstring text = GetText(static_cast<int>(item.itemID));
    RECT textRect = textArea;
    textRect.left += 2;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_PATH_ELLIPSIS);

    if ((item.itemState & ODS_FOCUS) != 0 && showFocus) {
        ::DrawFocusRect(dc, &textArea);
    }
    return true;
}

LRESULT CALLBACK CheckListBox::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self)
{
    auto* list = reinterpret_cast<CheckListBox*>(self);
    if (message == WM_NCDESTROY) {
        list->Detach();
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    // On 64-bit Windows the object id arrives as a 32-bit value in a 64-bit lParam. When
    // the object cannot be handed out (LresultFromObject fails, for one in a thread without
    // COM), the list box's own answer lets the client make the standard object.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const LRESULT reference = list->AccessibleObject(wParam);
        if (reference != 0) {
            return reference;
        }
    }
    if (list->HandleInput(message, wParam, lParam)) {
        return 0;
    }
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_THEMECHANGED) {
        list->OpenTheme();
        list->FitItemHeight();
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    return result;
}

bool CheckListBox::HandleInput(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Posted input can reach a disabled list; it must not change anything.
        if (!IsWindowEnabled()) {
            return true;
        }
        const PixelPoint point{SignedLow(lParam), SignedHigh(lParam)};
        const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, lParam);
        const int index = LOWORD(hit);
        RECT itemRect{};
        const bool onItem = HIWORD(hit) == 0 && SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index),
                                                            reinterpret_cast<LPARAM>(&itemRect)) != LB_ERR;
        if (onItem && IsInCheckBoxColumn(ToPixelRect(itemRect), BoxSize(ClientDc(hwnd_).dc()), point)) {
            Toggle(index);
        }
        return false;  // the list still selects the item and takes the focus
    }
    case WM_KEYDOWN:
        if (wParam != VK_SPACE) {
            return !IsWindowEnabled();
        }
        if (IsWindowEnabled()) {
            Toggle(static_cast<int>(SendMessage(LB_GETCARETINDEX)));
        }
        return true;
    case WM_CHAR:
        // The space that toggled must not also start the list's type-ahead search.
        return wParam == L' ' || !IsWindowEnabled();
    default:
        return false;
    }
}

void CheckListBox::Toggle(int index) const
{
    const int check = GetCheck(index);
    if (check != LB_ERR) {
        SetCheck(index, check == Checked ? Unchecked : Checked);
    }
}

void CheckListBox::Select(bool focusList, int caret, int select) const
{
    if (focusList && ::GetFocus() != hwnd_) {
        // In a dialog the dialog moves the focus, so that its default button follows.
        ::SendMessageW(::GetParent(hwnd_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd_), TRUE);
        if (::GetFocus() != hwnd_) {
            ::SetFocus(hwnd_);
        }
    }
    // Selecting moves the caret too; a single-selection list moves the caret alone only
    // while nothing is selected.
    if (select >= 0) {
        SendMessage(LB_SETCURSEL, static_cast<WPARAM>(select));
    }
    if (caret >= 0) {
        SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(caret));
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, ChildIdOfItem(caret));
    }
    if (select >= 0) {
        ::NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd_, OBJID_CLIENT, ChildIdOfItem(select));
    }
}

void CheckListBox::InvalidateItem(int index) const
{
    RECT itemRect{};
    if (SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&itemRect)) != LB_ERR) {
        ::InvalidateRect(hwnd_, &itemRect, FALSE);
    }
}

void CheckListBox::OpenTheme()
{
    theme_.reset();
    if (::IsAppThemed()) {
        theme_.reset(::OpenThemeData(hwnd_, L"BUTTON"));
    }
}

void CheckListBox::FitItemHeight() const
{
    ClientDc client(hwnd_);
    if (client.dc() == nullptr) {
        return;
    }
    SelectedObject font(client.dc(), reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(client.dc(), &metrics);
    SendMessage(LB_SETITEMHEIGHT, 0, CheckListItemHeight(metrics.tmHeight, BoxSize(client.dc())));
}

int CheckListBox::BoxSize(HDC dc) const
{
    if (theme_) {
        SIZE size{};
        if (SUCCEEDED(
                ::GetThemePartSize(theme_.get(), dc, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_DRAW, &size)) &&
            size.cx > 0) {
            return size.cx;
        }
    }
    const int dpi = dc != nullptr ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    return ::MulDiv(kClassicBoxSizeAt96Dpi, dpi, 96);
}

void CheckListBox::DrawCheckBox(HDC dc, const RECT& box, int check, bool enabled) const
{
    RECT area = box;
    if (theme_ &&
        SUCCEEDED(::DrawThemeBackground(theme_.get(), dc, BP_CHECKBOX, ThemeState(check, enabled), &area, nullptr))) {
        return;
    }
    ::DrawFrameControl(dc, &area, DFC_BUTTON, ClassicState(check, enabled));
}

}  // namespace qv::window
