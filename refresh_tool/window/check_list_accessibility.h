#pragma once
// What a check list tells a screen reader through Active Accessibility, worked out from
// plain facts about the list and its items: the state bits, the default action, child ids,
// navigation among the items and what a request to select or focus one does. The Win32
// object (win32/check_list_accessible.h) only gathers the facts and hands back these answers.
#include "window/window_geometry.h"

#include <string>

namespace qv::msaa {

// The values of oleacc.h, which portable code cannot include.
enum State : unsigned long {
    kStateUnavailable = 0x1,
    kStateSelected = 0x2,
    kStateFocused = 0x4,
    kStateChecked = 0x10,
    kStateMixed = 0x20,
    kStateOffscreen = 0x10000,
    kStateFocusable = 0x100000,
    kStateSelectable = 0x200000,
};
enum Role : long { kRoleList = 0x21, kRoleCheckButton = 0x2C };
enum Navigation : long {
    kNavUp = 1,
    kNavDown = 2,
    kNavLeft = 3,
    kNavRight = 4,
    kNavNext = 5,
    kNavPrevious = 6,
    kNavFirstChild = 7,
    kNavLastChild = 8,
};
enum SelectFlag : long {
    kSelectTakeFocus = 0x1,
    kSelectTakeSelection = 0x2,
    kSelectExtendSelection = 0x4,
    kSelectAddSelection = 0x8,
    kSelectRemoveSelection = 0x10,
};
constexpr long kChildIdSelf = 0;

}  // namespace qv::msaa

namespace qv {

struct CheckListItemFacts {
    bool ticked = false;
    bool selected = false;
    bool focused = false;  // the item has the caret and the list has the focus
    bool listEnabled = true;
    bool onScreen = true;  // not scrolled out of the list's client area
    bool mixed = false;    // drawn indeterminate
};

unsigned long CheckListItemState(const CheckListItemFacts& item);
unsigned long CheckListState(bool focused, bool enabled);
// What the default action does to the item: "Check" an unticked one, "Uncheck" a ticked one.
std::wstring CheckListDefaultAction(bool ticked);

// Child id 0 is the list itself; items are 1 to count, in list order.
inline long ChildIdOfItem(int index)
{
    return static_cast<long>(index) + 1;
}
inline int ItemOfChildId(long childId)
{
    return static_cast<int>(childId - 1);
}
inline bool IsItemChildId(long childId, int count)
{
    return childId >= 1 && childId <= count;
}
inline bool IsKnownChildId(long childId, int count)
{
    return childId == msaa::kChildIdSelf || IsItemChildId(childId, count);
}

// Where accNavigate ends up from `start` among `count` items.
struct NavigationTarget {
    // Window: the list's window object answers, as it does for any control.
    enum Kind { Item, Nothing, Invalid, Window } kind = Nothing;
    long childId = 0;  // for Item
};
// From the list: the first or last item; in any other direction the neighbouring controls,
// which the window object finds. From an item: the next or previous one (down and up are
// the same in a one-column list); nothing lies left or right.
NavigationTarget NavigateCheckList(long direction, long start, int count);

// What accSelect does to a single-selection check list.
struct SelectAction {
    // Invalid: E_INVALIDARG; Refused: the list is disabled. Neither changes anything.
    enum Kind { Apply, Invalid, Refused } kind = Apply;
    bool focusList = false;  // keyboard focus to the list
    int caret = -1;          // the item that gets the caret and the focus event; -1 none
    int select = -1;         // the item that becomes the one selection; -1 none
};
// `selected` is the selected item (-1 none). Taking the focus moves the caret; while an
// item is selected the caret of a single-selection list is the selection, so it moves too,
// as the arrow keys move it. Adding, removing or extending a selection, unknown flags, a
// child id that names nothing and selecting the list itself are invalid.
SelectAction SelectInCheckList(long flags, long childId, int count, int selected, bool enabled);

// An item counts as on screen while any part of it lies in the list's client area.
bool IsItemOnScreen(const PixelRect& item, const PixelRect& client);

// A label's text as it is spoken: "&&" is an ampersand, a single "&" marks the mnemonic.
std::wstring LabelWithoutMnemonic(const std::wstring& label);

}  // namespace qv
