#pragma once
// The product's registry entries: the MATLAB folders and the versions installed.
#include "common/string_array.h"
#include "discovery/registry.h"

#include <string>

namespace qv {

inline const wchar_t* const kProductVersionsKeyPath = L"SOFTWARE\\QVR\\ORX";
inline const wchar_t* const kProductVersionKeyPrefix = L"SOFTWARE\\QVR\\ORX\\";
inline const wchar_t* const kProductMatlabFolderValueName = L"MatlabInterface";

// Appends the "MatlabInterface" folder of every installed product version, per platform,
// whatever the version number.
void ListProductMatlabFolders(IRegistry& registry, StringArray& folders32, StringArray& folders64);

// Appends the subkey names of hive\keyPath, per view, without those whose leading number is
// below kMinimumProductVersion.
void ListProductVersions(IRegistry& registry, Hive hive, const std::wstring& keyPath, StringArray& versions32,
                         StringArray& versions64);

}  // namespace qv
