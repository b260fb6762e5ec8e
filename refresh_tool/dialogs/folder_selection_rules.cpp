#include "dialogs/folder_selection_rules.h"

#include "common/platform.h"

namespace qv {
namespace {

constexpr ListEnabling kOnly32{true, false};
constexpr ListEnabling kOnly64{false, true};
constexpr ListEnabling kBoth{true, true};

}  // namespace

FirstSelection ChooseFirstSelection(int platform, std::size_t folders32Count, std::size_t folders64Count)
{
    if (platform == Platform32 && folders32Count > 0) {
        return {Platform32, kOnly32};
    }
    if (platform == Platform64 && folders64Count > 0) {
        return {Platform64, kOnly64};
    }
    if (folders32Count > 0) {
        return {Platform32, kOnly32};
    }
    return {Platform64, kOnly64};
}

std::optional<ListEnabling> ListEnablingFor(int platformIndex)
{
    switch (platformIndex) {
    case Platform32:
        return kOnly32;
    case Platform64:
        return kOnly64;
    case PlatformAll:
        return kBoth;
    default:
        return std::nullopt;
    }
}

}  // namespace qv
