// The folder-selection dialog's decisions: first drop-down entry, enabled lists, and
// the folders handed back.
#include "dialogs/folder_selection_rules.h"
#include "common/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qv::ListEnabling;

constexpr ListEnabling kOnly32{true, false};
constexpr ListEnabling kOnly64{false, true};
constexpr ListEnabling kBoth{true, true};

struct FirstSelectionCase {
    const char* name;
    int platform;
    std::size_t count32;
    std::size_t count64;
    int expectedIndex;
};

void PrintTo(const FirstSelectionCase& c, std::ostream* os)
{
    *os << c.name;
}

class FirstSelectionTest : public testing::TestWithParam<FirstSelectionCase> {};

TEST_P(FirstSelectionTest, ShowsTheFirstPlatformThatHasFolders)
{
    const FirstSelectionCase& c = GetParam();
    const qv::FirstSelection first = qv::ChooseFirstSelection(c.platform, c.count32, c.count64);
    EXPECT_EQ(first.index, c.expectedIndex);
    // The list of the shown platform is the one that can be worked.
    EXPECT_EQ(first.lists, c.expectedIndex == 0 ? kOnly32 : kOnly64);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FirstSelectionTest,
    testing::Values(
        // Rule 1 and 2: the caller's platform when its list has folders.
        FirstSelectionCase{"p0_own_list", 0, 2, 0, 0}, FirstSelectionCase{"p0_both_lists", 0, 1, 1, 0},
        FirstSelectionCase{"p1_own_list", 1, 0, 3, 1}, FirstSelectionCase{"p1_both_lists", 1, 1, 1, 1},
        // Rule 3: otherwise the 32-bit list when it has folders, whatever was asked for.
        FirstSelectionCase{"p1_only_32", 1, 2, 0, 0}, FirstSelectionCase{"p2_with_32", 2, 1, 5, 0},
        FirstSelectionCase{"p2_only_32", 2, 1, 0, 0}, FirstSelectionCase{"out_of_range_with_32", 7, 1, 0, 0},
        // Rule 4: otherwise 64-bit, even with no folders at all.
        FirstSelectionCase{"p0_only_64", 0, 0, 4, 1}, FirstSelectionCase{"p2_only_64", 2, 0, 1, 1},
        FirstSelectionCase{"p0_nothing", 0, 0, 0, 1}, FirstSelectionCase{"p1_nothing", 1, 0, 0, 1},
        FirstSelectionCase{"p2_nothing", 2, 0, 0, 1}, FirstSelectionCase{"negative_nothing", -1, 0, 0, 1}),
    [](const testing::TestParamInfo<FirstSelectionCase>& param) { return std::string(param.param.name); });

TEST(ListEnabling, FollowsThePlatformEntry)
{
    EXPECT_EQ(qv::ListEnablingFor(0), kOnly32);
    EXPECT_EQ(qv::ListEnablingFor(1), kOnly64);
    EXPECT_EQ(qv::ListEnablingFor(2), kBoth);
    // No entry selected (CB_ERR) or an index past the entries: nothing changes.
    EXPECT_FALSE(qv::ListEnablingFor(-1).has_value());
    EXPECT_FALSE(qv::ListEnablingFor(3).has_value());
}

// A check list as the dialog sees it: texts with check states (0, 1, 2).
struct FakeCheckList {
    std::vector<std::pair<std::wstring, int>> items;
    int GetCount() const { return static_cast<int>(items.size()); }
    int GetCheck(int index) const { return items.at(static_cast<size_t>(index)).second; }
    std::wstring GetText(int index) const { return items.at(static_cast<size_t>(index)).first; }
};

TEST(CollectCheckedFolders, ReturnsTickedItemsInListOrderAndReplacesTheInput)
{
    const FakeCheckList list{{{L"C:\\C", 1}, {L"C:\\A", 0}, {L"C:\\B", 1}, {L"C:\\C", 1}, {L"C:\\D", 2}}};
    qv::StringArray folders{L"in 1", L"in 2"};
    qv::CollectCheckedFolders(list, folders);
    // Order kept, duplicates kept, the indeterminate state counts as ticked, input gone.
    EXPECT_EQ(folders, (qv::StringArray{L"C:\\C", L"C:\\B", L"C:\\C", L"C:\\D"}));
}

TEST(CollectCheckedFolders, NothingTickedGivesAnEmptyArray)
{
    qv::StringArray folders{L"left over"};
    qv::CollectCheckedFolders(FakeCheckList{{{L"A", 0}, {L"B", 0}}}, folders);
    EXPECT_TRUE(folders.empty());
    folders = {L"left over"};
    qv::CollectCheckedFolders(FakeCheckList{}, folders);
    EXPECT_TRUE(folders.empty());
}

}  // namespace
