#pragma once
// An owner-drawn list box (fixed item height, with strings) whose items each carry a check
// state and are drawn with a check box in front of the text: themed where the
// application is themed, classic otherwise, greyed while the list is disabled. A click on
// an item's box or the space bar on the focused item toggles the item; a disabled list
// ignores both.
//
// The check state of an item is kept in the item's data (LB_SETITEMDATA), so it moves
// with the item when others are inserted or removed. The test bed's UI driver reads it
// from there.
//
// Screen readers read the list through its Active Accessibility object
// (check_list_accessible.h), which the list hands out for WM_GETOBJECT (the system answers
// when it cannot); every change of a tick raises EVENT_OBJECT_STATECHANGE for its item.
#include "window/win32/window.h"
#include "common/win32/com_ptr.h"
#include "common/win32/unique_handle.h"
#include "window/win32/check_list_accessible.h"

#include <uxtheme.h>

#include <string>

namespace qv::window {

struct ThemeTraits {
    using Handle = HTHEME;
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::CloseThemeData(h); }
};
using UniqueTheme = win32::UniqueResource<ThemeTraits>;

class CheckListBox : public Window {
public:
    enum CheckState { Unchecked = 0, Checked = 1, Indeterminate = 2 };

    CheckListBox() = default;
    ~CheckListBox() override;
    CheckListBox(const CheckListBox&) = delete;
    CheckListBox& operator=(const CheckListBox&) = delete;
    CheckListBox(CheckListBox&&) = delete;
    CheckListBox& operator=(CheckListBox&&) = delete;

    // Subclasses the list box and fits the item height to its font and check box.
    void Attach(HWND hwnd) override;
    void Detach() override;

    int GetCount() const;
    // The item's check state, or LB_ERR (-1) for an index outside the list.
    int GetCheck(int index) const;
    // Sets the item's check state; a change is announced to screen readers.
    bool SetCheck(int index, int check) const;
    // Toggles the item as the space bar does (ticked to unticked, anything else to ticked).
    void Toggle(int index) const;
    // For a screen reader: keyboard focus to the list when `focusList`; item `select`
    // becomes the one selection (EVENT_OBJECT_SELECTION); the caret goes to item `caret`
    // (EVENT_OBJECT_FOCUS). -1: no change. Ticks stay as they are.
    void Select(bool focusList, int caret, int select) const;
    std::wstring GetText(int index) const;
    // Inserts at `index` (-1: at the end) whatever the sort style; the item starts unticked.
    int InsertString(int index, const std::wstring& text) const;

    bool DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    // Returns true when the message is consumed.
    bool HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
    // Removes the subclass and lets the window go (Detach without dynamic dispatch).
    void Unhook();
    // The object's reference for WM_GETOBJECT; 0 when there is none to give.
    LRESULT AccessibleObject(WPARAM flags);
    void InvalidateItem(int index) const;
    void OpenTheme();
    void FitItemHeight() const;
    // Side of the check box in pixels, for drawing on `dc` (null: the screen's resolution).
    int BoxSize(HDC dc) const;
    void DrawCheckBox(HDC dc, const RECT& box, int check, bool enabled) const;

    UniqueTheme theme_;
    win32::ComPtr<CheckListAccessible> accessible_;  // made on the first request
};

}  // namespace qv::window
