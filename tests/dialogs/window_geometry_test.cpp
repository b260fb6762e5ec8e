// Where the check list draws its box, which clicks toggle an item, and where icons and
// windows are centred.
#include "window/window_geometry.h"

#include <gtest/gtest.h>

namespace {

using qv::PixelPoint;
using qv::PixelRect;

TEST(CheckListLayout, BoxIsSquareCentredAtTheLeftAndTextFollows)
{
    for (int boxSize : {13, 16, 20, 26}) {
        for (const PixelRect item : {PixelRect{0, 0, 500, 15}, PixelRect{3, 45, 300, 60}, PixelRect{0, 10, 200, 40}}) {
            const qv::CheckListItemLayout layout = qv::LayOutCheckListItem(item, boxSize);
            EXPECT_EQ(layout.box.Width(), boxSize);
            EXPECT_EQ(layout.box.Height(), boxSize);
            EXPECT_GT(layout.box.left, item.left);
            EXPECT_LE(layout.box.top - item.top - (item.bottom - layout.box.bottom), 1);  // centred
            EXPECT_GE(layout.box.top - item.top - (item.bottom - layout.box.bottom), -1);
            EXPECT_GT(layout.text.left, layout.box.right);
            EXPECT_EQ(layout.text.right, item.right);
            EXPECT_EQ(layout.text.top, item.top);
            EXPECT_EQ(layout.text.bottom, item.bottom);
        }
    }
}

TEST(CheckListLayout, ItemHeightFitsTextAndBox)
{
    EXPECT_EQ(qv::CheckListItemHeight(13, 13), 15);
    EXPECT_EQ(qv::CheckListItemHeight(16, 13), 18);
    EXPECT_EQ(qv::CheckListItemHeight(13, 20), 22);
}

struct HitCase {
    PixelPoint point;
    bool toggles = false;
};

TEST(CheckListLayout, OnlyClicksInTheBoxColumnOfTheItemToggle)
{
    const PixelRect item{0, 30, 400, 45};  // the third item of a 15-pixel list
    const int boxSize = 13;                // box from x 2 to 15, text from 19
    const HitCase cases[] = {
        {{7, 37}, true},     // the middle of the box
        {{0, 30}, true},     // the item's top-left corner
        {{18, 44}, true},    // the gap before the text, last row of the item
        {{19, 37}, false},   // the first pixel of the text
        {{200, 37}, false},  // the text
        {{7, 29}, false},    // the item above
        {{7, 45}, false},    // the item below
        {{-1, 37}, false},   // left of the list
    };
    for (const HitCase& c : cases) {
        EXPECT_EQ(qv::IsInCheckBoxColumn(item, boxSize, c.point), c.toggles) << c.point.x << "," << c.point.y;
    }
}

TEST(IconOrigin, CentresWithTheRoundingOfTheMinimisedDialog)
{
    EXPECT_EQ(qv::IconOrigin(160, 28, 32, 32), (PixelPoint{64, -1}));  // (160-32+1)/2, (28-32+1)/2 toward zero
    EXPECT_EQ(qv::IconOrigin(33, 33, 32, 32), (PixelPoint{1, 1}));
    EXPECT_EQ(qv::IconOrigin(0, 0, 32, 32), (PixelPoint{-15, -15}));
}

TEST(CentredOrigin, CentresAndKeepsTheCaptionInsideTheArea)
{
    const PixelRect area{0, 0, 1024, 738};
    EXPECT_EQ(qv::CentredOrigin(area, 537, 349), (PixelPoint{243, 194}));
    EXPECT_EQ(qv::CentredOrigin(PixelRect{100, 50, 300, 250}, 100, 100), (PixelPoint{150, 100}));
    // Larger than the area: the top-left corner stays in it.
    EXPECT_EQ(qv::CentredOrigin(area, 2000, 1000), (PixelPoint{0, 0}));
}

}  // namespace
