#pragma once
// Pixel arithmetic of the window layer: where a check list draws its box and text, which
// clicks land on the box, and where a window or an icon is centred.
namespace qv {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint& other) const { return x == other.x && y == other.y; }
};

// One check-list item: a square check box at the left, vertically centred, then the text.
struct CheckListItemLayout {
    PixelRect box;
    PixelRect text;
};

CheckListItemLayout LayOutCheckListItem(const PixelRect& item, int boxSize);

// Item height that fits both the text and the check box with a pixel above and below.
int CheckListItemHeight(int textHeight, int boxSize);

// A click toggles the item when it lands in the check-box column: from the item's left
// edge up to where the text begins, over the item's full height.
bool IsInCheckBoxColumn(const PixelRect& item, int boxSize, PixelPoint point);

// Top-left corner of the minimised dialog's icon: ((client - icon + 1) / 2) on each axis,
// the integer division rounding toward zero.
PixelPoint IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

// Top-left corner of a window of the given size centred in `area`, moved back inside the
// area where it is larger, so that its caption stays reachable.
PixelPoint CentredOrigin(const PixelRect& area, int width, int height);

}  // namespace qv
