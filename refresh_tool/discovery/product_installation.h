#pragma once
// The product's registry entries: connector location, MATLAB folders of the installed
// versions, and the versions the current user has not been set up for.
#include "common/info_box.h"
#include "common/string_array.h"
#include "discovery/registry.h"

#include <functional>
#include <string>

namespace qv {

inline const wchar_t* const kProductVersionsKeyPath = L"SOFTWARE\\QVR\\ORX";
inline const wchar_t* const kProductVersionKeyPrefix = L"SOFTWARE\\QVR\\ORX\\";
inline const wchar_t* const kUserVersionsKeyPath32 = L"SOFTWARE\\QVR\\ORX";
inline const wchar_t* const kUserVersionsKeyPath64 = L"SOFTWARE\\QVR\\ORX (x64)";
inline const wchar_t* const kProductMatlabFolderValueName = L"MatlabInterface";
inline const wchar_t* const kProductBinaryFolderValueName = L"ORXBinaryFolder";

// Message texts, each followed directly by the location found.
inline const wchar_t* const kConnectorLocationPrefix32 = L"Connector Location(32): ";
inline const wchar_t* const kConnectorLocationPrefix64 = L"Connector Location(64): ";

// Replaces each location by the value HKEY_LOCAL_MACHINE\keyPath\valueName holds in its view
// (32-bit first) and, with showInfo, shows it; a location is left as it was where no value
// is found.
void ReadConnectorLocation(IRegistry& registry, IInfoBox& info, const std::wstring& keyPath,
                           const std::wstring& valueName, std::wstring& location32, std::wstring& location64,
                           bool showInfo);

// Appends the "MatlabInterface" folder of every installed product version, per platform,
// whatever the version number.
void ListProductMatlabFolders(IRegistry& registry, StringArray& folders32, StringArray& folders64);

// Appends the subkey names of hive\keyPath, per view, without those whose leading number is
// below kMinimumProductVersion.
void ListProductVersions(IRegistry& registry, Hive hive, const std::wstring& keyPath, StringArray& versions32,
                         StringArray& versions64);

// Hands the "ORXBinaryFolder" (empty when missing) of every installed version of 10 or above
// that the current user has no subkey for to `startNewUserSetup`, one at a time: the 64-bit
// versions first (selection 1 or 2, folders64 not empty), then the 32-bit ones (selection 0
// or 2, folders32 not empty). The folder lists serve only as those two tests.
void RunPendingUserSetups(IRegistry& registry, int selection, const StringArray& folders32,
                          const StringArray& folders64,
                          const std::function<void(const std::wstring& programFolder)>& startNewUserSetup);

}  // namespace qv
