#include "discovery/connector_location.h"

#include "discovery/registry_access.h"

#include <memory>

namespace qv {

void ReadConnectorLocation(IRegistry& registry, IInfoBox& info, const std::wstring& keyPath,
                           const std::wstring& valueName, std::wstring& location32, std::wstring& location64,
                           bool showInfo)
{
    const PlatformPair<std::wstring*> locations{&location32, &location64};
    const PlatformPair<const wchar_t*> prefixes{kConnectorLocationPrefix32, kConnectorLocationPrefix64};
    for (const Platform platform : kPlatforms) {
        const std::unique_ptr<IRegistryKey> key = registry.OpenKey(Hive::LocalMachine, keyPath, platform);
        if (!key) {
            continue;
        }
        if (std::optional<std::wstring> value = ReadStringValue(*key, valueName)) {
            *locations[platform] = std::move(*value);
            ShowInfoMessage(info, showInfo, prefixes[platform] + *locations[platform]);
        }
    }
}

}  // namespace qv
