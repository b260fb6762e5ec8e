#include "dialogs/folder_selection_rules.h"

#include "common/platform.h"

namespace qv {
namespace {

constexpr ListEnabling kOnly32{true, false};
constexpr ListEnabling kOnly64{false, true};
constexpr ListEnabling kBoth{true, true};

// The drop-down entries' indexes.
constexpr int kIndex32 = static_cast<int>(PlatformSelection::Bits32);
constexpr int kIndex64 = static_cast<int>(PlatformSelection::Bits64);
constexpr int kIndexAll = static_cast<int>(PlatformSelection::All);

}  // namespace

FirstSelection ChooseFirstSelection(int platform, std::size_t folders32Count, std::size_t folders64Count)
{
    if (platform == kIndex32 && folders32Count > 0) {
        return {kIndex32, kOnly32};
    }
    if (platform == kIndex64 && folders64Count > 0) {
        return {kIndex64, kOnly64};
    }
    if (folders32Count > 0) {
        return {kIndex32, kOnly32};
    }
    return {kIndex64, kOnly64};
}

std::optional<ListEnabling> ListEnablingFor(int platformIndex)
{
    switch (platformIndex) {
    case kIndex32:
        return kOnly32;
    case kIndex64:
        return kOnly64;
    case kIndexAll:
        return kBoth;
    default:
        return std::nullopt;
    }
}

}  // namespace qv
