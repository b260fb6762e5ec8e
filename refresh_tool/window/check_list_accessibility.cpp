#include "window/check_list_accessibility.h"

namespace qv {

unsigned long CheckListItemState(const CheckListItemFacts& item)
{
    unsigned long state = msaa::kStateFocusable | msaa::kStateSelectable;
    if (item.ticked) {
        state |= msaa::kStateChecked;
    }
    if (item.mixed) {
        state |= msaa::kStateMixed;
    }
    if (item.selected) {
        state |= msaa::kStateSelected;
    }
    if (item.focused) {
        state |= msaa::kStateFocused;
    }
    if (!item.listEnabled) {
        state |= msaa::kStateUnavailable;
    }
    if (!item.onScreen) {
        state |= msaa::kStateOffscreen;
    }
    return state;
}

unsigned long CheckListState(bool focused, bool enabled)
{
    unsigned long state = msaa::kStateFocusable;
    if (focused) {
        state |= msaa::kStateFocused;
    }
    if (!enabled) {
        state |= msaa::kStateUnavailable;
    }
    return state;
}

std::wstring CheckListDefaultAction(bool ticked)
{
    return ticked ? L"Uncheck" : L"Check";
}

NavigationTarget NavigateCheckList(long direction, long start, int count)
{
    const NavigationTarget nothing{NavigationTarget::Nothing, 0};
    const NavigationTarget invalid{NavigationTarget::Invalid, 0};
    auto item = [count, nothing](long childId) {
        return IsItemChildId(childId, count) ? NavigationTarget{NavigationTarget::Item, childId} : nothing;
    };
    if (!IsKnownChildId(start, count) || direction < msaa::kNavUp || direction > msaa::kNavLastChild) {
        return invalid;
    }
    if (start == msaa::kChildIdSelf) {
        switch (direction) {
        case msaa::kNavFirstChild:
            return item(1);
        case msaa::kNavLastChild:
            return item(count);
        default:
            return NavigationTarget{NavigationTarget::Window, 0};
        }
    }
    switch (direction) {
    case msaa::kNavNext:
    case msaa::kNavDown:
        return item(start + 1);
    case msaa::kNavPrevious:
    case msaa::kNavUp:
        return item(start - 1);
    case msaa::kNavFirstChild:
    case msaa::kNavLastChild:
        return invalid;  // an item has no children
    default:
        return nothing;
    }
}

SelectAction SelectInCheckList(long flags, long childId, int count, int selected, bool enabled)
{
    SelectAction action;
    constexpr long kSingleSelection = msaa::kSelectTakeFocus | msaa::kSelectTakeSelection;
    const bool takeFocus = (flags & msaa::kSelectTakeFocus) != 0;
    const bool takeSelection = (flags & msaa::kSelectTakeSelection) != 0;
    if ((flags & ~kSingleSelection) != 0 || !IsKnownChildId(childId, count) ||
        (childId == msaa::kChildIdSelf && takeSelection)) {
        action.kind = SelectAction::Invalid;
        return action;
    }
    if (flags == 0) {
        return action;
    }
    if (!enabled) {
        action.kind = SelectAction::Refused;
        return action;
    }
    action.focusList = takeFocus;
    if (childId == msaa::kChildIdSelf) {
        return action;
    }
    const int index = ItemOfChildId(childId);
    if (takeFocus) {
        action.caret = index;
    }
    if (takeSelection || (takeFocus && selected >= 0 && selected != index)) {
        action.select = index;
    }
    return action;
}

bool IsItemOnScreen(const PixelRect& item, const PixelRect& client)
{
    return item.left < client.right && client.left < item.right && item.top < client.bottom && client.top < item.bottom;
}

std::wstring LabelWithoutMnemonic(const std::wstring& label)
{
    std::wstring spoken;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size()) {
            ++i;
        }
        spoken += label[i];
    }
    return spoken;
}

}  // namespace qv
