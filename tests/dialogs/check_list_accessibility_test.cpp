// What the check list tells a screen reader: state bits from the facts of an item or the
// list, the default action, navigation among the items, what selecting does, and the
// spoken label.
#include "window/check_list_accessibility.h"

#include <gtest/gtest.h>

namespace {

using namespace qv::msaa;
using qv::CheckListItemFacts;
using qv::NavigationTarget;
using qv::SelectAction;

constexpr unsigned long kItemAlways = kStateFocusable | kStateSelectable;

struct ItemStateCase {
    const char* name = "";
    CheckListItemFacts facts;
    unsigned long state = 0;
};

TEST(CheckListAccessibility, ItemStateFollowsEachFact)
{
    const ItemStateCase cases[] = {
        {"plain", {}, kItemAlways},
        {"ticked", {true, false, false, true, true}, kItemAlways | kStateChecked},
        {"selected", {false, true, false, true, true}, kItemAlways | kStateSelected},
        {"focused", {false, false, true, true, true}, kItemAlways | kStateFocused},
        {"list disabled", {true, false, false, false, true}, kItemAlways | kStateChecked | kStateUnavailable},
        {"scrolled away", {false, false, false, true, false}, kItemAlways | kStateOffscreen},
        {"indeterminate", {false, false, false, true, true, true}, kItemAlways | kStateMixed},
        {"all at once",
         {true, true, true, false, false},
         kItemAlways | kStateChecked | kStateSelected | kStateFocused | kStateUnavailable | kStateOffscreen},
    };
    for (const ItemStateCase& c : cases) {
        EXPECT_EQ(qv::CheckListItemState(c.facts), c.state) << c.name;
    }
}

TEST(CheckListAccessibility, ListStateAndDefaultAction)
{
    EXPECT_EQ(qv::CheckListState(false, true), static_cast<unsigned long>(kStateFocusable));
    EXPECT_EQ(qv::CheckListState(true, true), static_cast<unsigned long>(kStateFocusable | kStateFocused));
    EXPECT_EQ(qv::CheckListState(false, false), static_cast<unsigned long>(kStateFocusable | kStateUnavailable));
    EXPECT_EQ(qv::CheckListDefaultAction(false), L"Check");
    EXPECT_EQ(qv::CheckListDefaultAction(true), L"Uncheck");
}

struct NavigationCase {
    const char* name;
    long direction;
    long start;
    int count;
    NavigationTarget::Kind kind;
    long childId;
};

TEST(CheckListAccessibility, Navigation)
{
    const NavigationCase cases[] = {
        {"first child", kNavFirstChild, kChildIdSelf, 3, NavigationTarget::Item, 1},
        {"last child", kNavLastChild, kChildIdSelf, 3, NavigationTarget::Item, 3},
        {"first child of an empty list", kNavFirstChild, kChildIdSelf, 0, NavigationTarget::Nothing, 0},
        {"last child of an empty list", kNavLastChild, kChildIdSelf, 0, NavigationTarget::Nothing, 0},
        {"list to the next control", kNavNext, kChildIdSelf, 3, NavigationTarget::Window, 0},
        {"list to the previous control", kNavPrevious, kChildIdSelf, 3, NavigationTarget::Window, 0},
        {"list to the control above", kNavUp, kChildIdSelf, 3, NavigationTarget::Window, 0},
        {"empty list to the control below", kNavDown, kChildIdSelf, 0, NavigationTarget::Window, 0},
        {"list to the control on the left", kNavLeft, kChildIdSelf, 3, NavigationTarget::Window, 0},
        {"list to the control on the right", kNavRight, kChildIdSelf, 3, NavigationTarget::Window, 0},
        {"next", kNavNext, 1, 3, NavigationTarget::Item, 2},
        {"down", kNavDown, 2, 3, NavigationTarget::Item, 3},
        {"next after the last", kNavNext, 3, 3, NavigationTarget::Nothing, 0},
        {"previous", kNavPrevious, 3, 3, NavigationTarget::Item, 2},
        {"up", kNavUp, 2, 3, NavigationTarget::Item, 1},
        {"previous before the first", kNavPrevious, 1, 3, NavigationTarget::Nothing, 0},
        {"left", kNavLeft, 2, 3, NavigationTarget::Nothing, 0},
        {"right", kNavRight, 2, 3, NavigationTarget::Nothing, 0},
        {"first child of an item", kNavFirstChild, 2, 3, NavigationTarget::Invalid, 0},
        {"last child of an item", kNavLastChild, 2, 3, NavigationTarget::Invalid, 0},
        {"start past the end", kNavNext, 4, 3, NavigationTarget::Invalid, 0},
        {"negative start", kNavNext, -1, 3, NavigationTarget::Invalid, 0},
        {"unknown direction", 9, 1, 3, NavigationTarget::Invalid, 0},
        {"direction 0", 0, 1, 3, NavigationTarget::Invalid, 0},
    };
    for (const NavigationCase& c : cases) {
        const NavigationTarget target = qv::NavigateCheckList(c.direction, c.start, c.count);
        EXPECT_EQ(target.kind, c.kind) << c.name;
        EXPECT_EQ(target.childId, c.childId) << c.name;
    }
}

struct SelectCase {
    const char* name;
    long flags;
    long childId;
    int selected;  // before the call
    bool enabled;
    SelectAction::Kind kind;
    bool focusList;
    int caret;
    int select;
};

TEST(CheckListAccessibility, SelectInASingleSelectionList)
{
    constexpr long kFocus = kSelectTakeFocus;
    constexpr long kSelect = kSelectTakeSelection;
    constexpr long kClick = kFocus | kSelect;
    const auto apply = SelectAction::Apply;
    const auto invalid = SelectAction::Invalid;
    const SelectCase cases[] = {
        {"focus, nothing selected: the caret moves alone", kFocus, 2, -1, true, apply, true, 1, -1},
        {"focus, another item selected: the selection comes along", kFocus, 2, 0, true, apply, true, 1, 1},
        {"focus on the selected item", kFocus, 2, 1, true, apply, true, 1, -1},
        {"select without the focus", kSelect, 3, 0, true, apply, false, -1, 2},
        {"select the selected item again", kSelect, 3, 2, true, apply, false, -1, 2},
        {"both, as a click", kClick, 1, 2, true, apply, true, 0, 0},
        {"focus to the list itself", kFocus, kChildIdSelf, 0, true, apply, true, -1, -1},
        {"no flags: nothing", 0, 2, -1, true, apply, false, -1, -1},
        {"select the list itself", kSelect, kChildIdSelf, -1, true, invalid, false, -1, -1},
        {"add to the selection", kFocus | kSelectAddSelection, 2, 0, true, invalid, false, -1, -1},
        {"remove from the selection", kSelectRemoveSelection, 2, 1, true, invalid, false, -1, -1},
        {"extend the selection", kSelectExtendSelection, 2, 0, true, invalid, false, -1, -1},
        {"an unknown flag", kClick | 0x20, 2, -1, true, invalid, false, -1, -1},
        {"a negative flag", -1, 2, -1, true, invalid, false, -1, -1},
        {"child past the end", kClick, 4, -1, true, invalid, false, -1, -1},
        {"negative child", kClick, -1, -1, true, invalid, false, -1, -1},
        {"disabled list", kClick, 2, -1, false, SelectAction::Refused, false, -1, -1},
        {"disabled list, invalid flag", kSelectAddSelection, 2, -1, false, invalid, false, -1, -1},
    };
    for (const SelectCase& c : cases) {
        const SelectAction action = qv::SelectInCheckList(c.flags, c.childId, 3, c.selected, c.enabled);
        EXPECT_EQ(action.kind, c.kind) << c.name;
        EXPECT_EQ(action.focusList, c.focusList) << c.name;
        EXPECT_EQ(action.caret, c.caret) << c.name;
        EXPECT_EQ(action.select, c.select) << c.name;
    }
}

TEST(CheckListAccessibility, ItemIsOnScreenWhileAnyPartIsInTheClientArea)
{
    const qv::PixelRect client{0, 0, 300, 90};
    EXPECT_TRUE(qv::IsItemOnScreen({0, 0, 300, 15}, client));
    EXPECT_TRUE(qv::IsItemOnScreen({0, 80, 300, 95}, client));    // cut off at the bottom
    EXPECT_TRUE(qv::IsItemOnScreen({0, -14, 300, 1}, client));    // one row of pixels left
    EXPECT_FALSE(qv::IsItemOnScreen({0, 90, 300, 105}, client));  // just below
    EXPECT_FALSE(qv::IsItemOnScreen({0, -15, 300, 0}, client));   // just above
}

TEST(CheckListAccessibility, LabelIsSpokenWithoutItsMnemonic)
{
    EXPECT_EQ(qv::LabelWithoutMnemonic(L"32-bit ORX MATLAB Folders:"), L"32-bit ORX MATLAB Folders:");
    EXPECT_EQ(qv::LabelWithoutMnemonic(L"&Platform to Update:"), L"Platform to Update:");
    EXPECT_EQ(qv::LabelWithoutMnemonic(L"A && B"), L"A & B");
    EXPECT_EQ(qv::LabelWithoutMnemonic(L"End&"), L"End&");
}

}  // namespace
