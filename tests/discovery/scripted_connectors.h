#pragma once
// A connector source for host tests: connectors that answer from a script per platform and
// record which methods were called.
#include "discovery/connector_discovery.h"

#include <string>
#include <utility>
#include <vector>

namespace qv::fakes {

struct PlatformScript {
    ResultCode versionResult = kResultOk;
    std::wstring version;
    ResultCode checkResult = kResultOk;
};

class ScriptedConnector final : public IConnectorInfo {
public:
    ScriptedConnector(PlatformScript bits32, PlatformScript bits64) : script_{std::move(bits32), std::move(bits64)} {}

    VersionInfoReply GetVersionInfo(Platform platform) override
    {
        calls.push_back(L"GetVersionInfo" + Tag(platform));
        const PlatformScript& s = script_[static_cast<int>(platform)];
        return {s.versionResult, s.version};
    }
    ResultCode CheckPlatform(Platform platform) override
    {
        calls.push_back(L"CheckPlatform" + Tag(platform));
        return script_[static_cast<int>(platform)].checkResult;
    }

    StringArray calls;

private:
    static std::wstring Tag(Platform platform) { return platform == Platform::Bits32 ? L"(32)" : L"(64)"; }
    PlatformScript script_[2];
};

class ScriptedSource final : public IConnectorSource {
public:
    void ForEachConnector(const std::function<void(IConnectorInfo&)>& visit) override
    {
        for (ScriptedConnector& connector : connectors) {
            visit(connector);
        }
    }
    std::vector<UnusableConnectorClass> UnusableClasses() override
    {
        ++unusableAsked;
        return unusable;
    }
    std::vector<ScriptedConnector> connectors;
    std::vector<UnusableConnectorClass> unusable;
    int unusableAsked = 0;
};

}  // namespace qv::fakes
