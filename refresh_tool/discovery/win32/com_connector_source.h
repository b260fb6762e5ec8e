#pragma once
// The connector classes as Windows's component category manager lists them.
// COM must be initialised on the calling thread.
#include "discovery/connector_discovery.h"

namespace qv::win32 {

class ComConnectorSource final : public IConnectorSource {
public:
    void ForEachConnector(const std::function<void(IConnectorInfo&)>& visit) override;
    // The classes CoCreateInstance refused, with its result, then those whose HKCR\CLSID entry
    // carries the category in the 32-bit view only (read, never created).
    std::vector<UnusableConnectorClass> UnusableClasses() override;

private:
    std::vector<UnusableConnectorClass> notCreatable_;
};

}  // namespace qv::win32
