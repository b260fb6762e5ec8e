#include "discovery/connector_location.h"

#include "discovery/registry_access.h"

#include <memory>

namespace qv {

void ReadConnectorLocation(IRegistry& registry, IInfoBox& info, const std::wstring& keyPath,
                           const std::wstring& valueName, std::wstring& location32, std::wstring& location64,
                           bool showInfo)
{
    struct View {
        Platform platform;
        std::wstring& location;
        const wchar_t* prefix;
    };
    for (const View& view : {View{Platform::Bits32, location32, kConnectorLocationPrefix32},
                             View{Platform::Bits64, location64, kConnectorLocationPrefix64}}) {
        const std::unique_ptr<IRegistryKey> key = registry.OpenKey(Hive::LocalMachine, keyPath, view.platform);
        if (!key) {
            continue;
        }
        if (std::optional<std::wstring> value = ReadStringValue(*key, valueName)) {
            view.location = std::move(*value);
            ShowInfoMessage(info, showInfo, view.prefix + view.location);
        }
    }
}

}  // namespace qv
