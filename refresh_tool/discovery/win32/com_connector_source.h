#pragma once
// The connector classes as Windows's component category manager lists them.
// COM must be initialised on the calling thread.
#include "discovery/connector_discovery.h"

namespace qv::win32 {

class ComConnectorSource final : public IConnectorSource {
public:
    void ForEachConnector(const std::function<void(IConnectorInfo&)>& visit) override;
};

}  // namespace qv::win32
