#include "discovery/connector_discovery.h"

#include <algorithm>

namespace qv {

std::wstring ToConnectorVersion(const std::wstring& reported)
{
    std::wstring version = reported.substr(0, reported.find(L'\0'));
    std::replace(version.begin(), version.end(), L'_', L'.');
    return version;
}

std::wstring UnusableConnectorMessage(const UnusableConnectorClass& unusable)
{
    if (unusable.reason == UnusableConnectorClass::Reason::For32BitProgramsOnly) {
        return L"Connector class " + unusable.classId +
               L" is registered for 32-bit programs only; this 64-bit program cannot use it.\n";
    }
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring code;
    for (int shift = 28; shift >= 0; shift -= 4) {
        code += digits[(static_cast<std::uint32_t>(unusable.failure) >> shift) & 0xFu];
    }
    return L"Connector class " + unusable.classId + L" could not be created (error 0x" + code + L").\n";
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
    if (showInfo) {
        for (const UnusableConnectorClass& unusable : source.UnusableClasses()) {
            info.Show(UnusableConnectorMessage(unusable));
        }
    }
}

}  // namespace qv
