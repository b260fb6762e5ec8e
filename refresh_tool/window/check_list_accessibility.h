#pragma once
// What a check list tells a screen reader through Active Accessibility, worked out from
// plain facts about the list and its items: the state bits, the default action, child ids
// and navigation among the items. The Win32 object (win32/check_list_accessible.h) only
// gathers the facts and hands back these answers.
#include "window/window_geometry.h"

#include <string>

namespace qv::msaa {

// The values of oleacc.h, which portable code cannot include.
enum State : unsigned long {
    kStateUnavailable = 0x1,
    kStateSelected = 0x2,
    kStateFocused = 0x4,
    kStateChecked = 0x10,
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
constexpr long kChildIdSelf = 0;

}  // namespace qv::msaa

namespace qv {

struct CheckListItemFacts {
    bool ticked = false;
    bool selected = false;
    bool focused = false;  // the item has the caret and the list has the focus
    bool listEnabled = true;
    bool onScreen = true;  // not scrolled out of the list's client area
};

unsigned long CheckListItemState(const CheckListItemFacts& item);
unsigned long CheckListState(bool focused, bool enabled);
// What the default action does to the item: "Check" an unticked one, "Uncheck" a ticked one.
std::wstring CheckListDefaultAction(bool ticked);

// Child id 0 is the list itself; items are 1 to count, in list order.
inline long ChildIdOfItem(int index) { return static_cast<long>(index) + 1; }
inline int ItemOfChildId(long childId) { return static_cast<int>(childId - 1); }
inline bool IsItemChildId(long childId, int count) { return childId >= 1 && childId <= count; }
inline bool IsKnownChildId(long childId, int count)
{
    return childId == msaa::kChildIdSelf || IsItemChildId(childId, count);
}

// Where accNavigate ends up from `start` among `count` items.
struct NavigationTarget {
    enum Kind { Item, Nothing, Invalid } kind = Nothing;
    long childId = 0;  // for Item
};
// From the list: the first or last item. From an item: the next or previous one (down and
// up are the same in a one-column list); nothing lies left or right. Moving from the list
// to its siblings is the window's business, so the list itself finds nothing there.
NavigationTarget NavigateCheckList(long direction, long start, int count);

// An item counts as on screen while any part of it lies in the list's client area.
bool IsItemOnScreen(const PixelRect& item, const PixelRect& client);

// A label's text as it is spoken: "&&" is an ampersand, a single "&" marks the mnemonic.
std::wstring LabelWithoutMnemonic(const std::wstring& label);

}  // namespace qv
