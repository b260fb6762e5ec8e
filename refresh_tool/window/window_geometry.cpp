#include "window/window_geometry.h"

#include <algorithm>

namespace qv {
namespace {

// Spacing scales with the box, so that it grows with the screen's DPI.
int BoxMargin(int boxSize)
{
    return std::max(1, boxSize / 6);
}
int TextGap(int boxSize)
{
    return std::max(2, boxSize / 3);
}

}  // namespace

CheckListItemLayout LayOutCheckListItem(const PixelRect& item, int boxSize)
{
    CheckListItemLayout layout;
    layout.box.left = item.left + BoxMargin(boxSize);
    layout.box.top = item.top + (item.Height() - boxSize) / 2;
    layout.box.right = layout.box.left + boxSize;
    layout.box.bottom = layout.box.top + boxSize;
    layout.text = item;
    layout.text.left = std::min(item.right, layout.box.right + TextGap(boxSize));
    return layout;
}

int CheckListItemHeight(int textHeight, int boxSize)
{
    return std::max(textHeight, boxSize) + 2;
}

bool IsInCheckBoxColumn(const PixelRect& item, int boxSize, PixelPoint point)
{
    const CheckListItemLayout layout = LayOutCheckListItem(item, boxSize);
    return point.x >= item.left && point.x < layout.text.left && point.y >= item.top && point.y < item.bottom;
}

PixelPoint IconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight)
{
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

PixelPoint CentredOrigin(const PixelRect& area, int width, int height)
{
    const int x = area.left + (area.Width() - width) / 2;
    const int y = area.top + (area.Height() - height) / 2;
    return {std::max(area.left, x), std::max(area.top, y)};
}

}  // namespace qv
