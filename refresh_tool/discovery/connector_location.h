#pragma once
// The connector location: the folder the refresh command puts on MATLAB's path, per platform.
#include "common/info_box.h"
#include "discovery/registry.h"

#include <string>

namespace qv {

// Message texts, each followed directly by the location found.
inline const wchar_t* const kConnectorLocationPrefix32 = L"Connector Location(32): ";
inline const wchar_t* const kConnectorLocationPrefix64 = L"Connector Location(64): ";

// Replaces each location by the value HKEY_LOCAL_MACHINE\keyPath\valueName holds in its view
// (32-bit first) and, with showInfo, shows it; a location is left as it was where no value
// is found.
void ReadConnectorLocation(IRegistry& registry, IInfoBox& info, const std::wstring& keyPath,
                           const std::wstring& valueName, std::wstring& location32, std::wstring& location64,
                           bool showInfo);

}  // namespace qv
