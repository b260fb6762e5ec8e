#pragma once
// Installation roots of the MATLAB releases that a connector serves.
#include "common/string_array.h"
#include "discovery/registry.h"

namespace qv {

inline const wchar_t* const kMatlabReleasesKeyPath = L"SOFTWARE\\MathWorks\\MATLAB\\";
inline const wchar_t* const kMatlabRootValueName = L"MATLABROOT";

// Appends to roots32/roots64 the "MATLABROOT" of every release subkey, per view, whose name
// equals a connector version of that platform: first the machine-wide values, then those
// under the current user's keys for the same (machine-enumerated) releases. Duplicates are
// kept; the roots are not checked on disk.
void FindMatlabRoots(IRegistry& registry, const StringArray& connectors32, const StringArray& connectors64,
                     StringArray& roots32, StringArray& roots64);

}  // namespace qv
