#pragma once
// The per-user setup pass: ORX's QvNewUserSetup for every installed ORX version the current
// user has not been set up for.
#include "common/platform.h"
#include "common/string_array.h"
#include "discovery/registry.h"

#include <functional>
#include <string>

namespace qv {

inline const wchar_t* const kUserVersionsKeyPath32 = L"SOFTWARE\\QVR\\ORX";
inline const wchar_t* const kUserVersionsKeyPath64 = L"SOFTWARE\\QVR\\ORX (x64)";
inline const wchar_t* const kProductBinaryFolderValueName = L"ORXBinaryFolder";

// Hands the "ORXBinaryFolder" (empty when missing) of every installed version of 10 or above
// that the current user has no subkey for to `startNewUserSetup`, one at a time: the 64-bit
// versions first (selection 1 or 2, folders64 not empty), then the 32-bit ones (selection 0
// or 2, folders32 not empty). The folder lists serve only as those two tests. The program
// passes StartNewUserSetup over its process launcher.
void RunPendingUserSetups(IRegistry& registry, PlatformSelection selection, const StringArray& folders32,
                          const StringArray& folders64,
                          const std::function<void(const std::wstring& programFolder)>& startNewUserSetup);

}  // namespace qv
