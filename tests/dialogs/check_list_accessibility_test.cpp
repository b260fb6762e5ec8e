// What the check list tells a screen reader: state bits from the facts of an item or the
// list, the default action, navigation among the items, and the spoken label.
#include "window/check_list_accessibility.h"

#include <gtest/gtest.h>

namespace {

using namespace qv::msaa;
using qv::CheckListItemFacts;
using qv::NavigationTarget;

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
        {"all at once", {true, true, true, false, false},
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
        {"list to its sibling", kNavNext, kChildIdSelf, 3, NavigationTarget::Nothing, 0},
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

TEST(CheckListAccessibility, ItemIsOnScreenWhileAnyPartIsInTheClientArea)
{
    const qv::PixelRect client{0, 0, 300, 90};
    EXPECT_TRUE(qv::IsItemOnScreen({0, 0, 300, 15}, client));
    EXPECT_TRUE(qv::IsItemOnScreen({0, 80, 300, 95}, client));   // cut off at the bottom
    EXPECT_TRUE(qv::IsItemOnScreen({0, -14, 300, 1}, client));   // one row of pixels left
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
