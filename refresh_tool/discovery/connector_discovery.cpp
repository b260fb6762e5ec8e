#include "discovery/connector_discovery.h"

#include <algorithm>

namespace qv {

std::wstring ToConnectorVersion(const std::wstring& reported)
{
    std::wstring version = reported.substr(0, reported.find(L'\0'));
    std::replace(version.begin(), version.end(), L'_', L'.');
    return version;
}

void FindConnectors(IConnectorSource& source, IInfoBox& info, StringArray& connectors32, StringArray& connectors64,
                    bool showInfo)
{
    source.ForEachConnector([&](IConnectorInfo& connector) {
        for (Platform platform : {Platform::Bits32, Platform::Bits64}) {
            const VersionInfoReply reply = connector.GetVersionInfo(platform);
            if (reply.result < 0) {
                continue;
            }
            if (connector.CheckPlatform(platform) != kResultOk) {
                continue;
            }
            const bool is32 = platform == Platform::Bits32;
            StringArray& connectors = is32 ? connectors32 : connectors64;
            connectors.push_back(ToConnectorVersion(reply.version));
            ShowInfoMessage(info, showInfo,
                            (is32 ? kConnectorFoundPrefix32 : kConnectorFoundPrefix64) + connectors.back());
        }
    });
}

}  // namespace qv
