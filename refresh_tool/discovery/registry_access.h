#pragma once
// Read-only registry operations over both views. Every operation visits the 32-bit view
// first, then the 64-bit view; results are appended, per view, in the registry's
// enumeration order, after whatever the arrays already hold. Nothing is reported: what
// cannot be opened or read contributes nothing. Key paths are joined with subkey names by
// plain concatenation, so a base path read below ends in a backslash.
#include "common/platform.h"
#include "common/string_array.h"
#include "discovery/registry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The value as text (see RegistryValueToString); nullopt when absent or not of a string
// type (REG_SZ, REG_EXPAND_SZ, the latter unexpanded). Present but empty data give an
// empty string.
std::optional<std::wstring> ReadStringValue(IRegistryKey& key, const std::wstring& valueName);

// The subkey's name; the empty string when it cannot be fetched.
std::wstring GetSubKeyName(IRegistryKey& key, std::uint32_t index);

// Appends the subkey names of hive\keyPath, per view.
void ListSubKeys(IRegistry& registry, Hive hive, const std::wstring& keyPath, StringArray& names32,
                 StringArray& names64);

// Appends, per view, the subkey names of HKEY_LOCAL_MACHINE\keyPath that equal (exactly,
// case-sensitively) an entry of that view's wanted array; each subkey at most once.
void ListMatchingSubKeys(IRegistry& registry, const std::wstring& keyPath, StringArray& names32, StringArray& names64,
                         const StringArray& wanted32, const StringArray& wanted64);

// Appends, per view, the value `valueName` of each subkey of HKEY_LOCAL_MACHINE\keyPath.
void ReadValueOfEachSubKey(IRegistry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                           StringArray& values32, StringArray& values64);

// As ReadValueOfEachSubKey, restricted to the wanted subkey names. The names are always
// enumerated under HKEY_LOCAL_MACHINE; the values are read under `hive`.
void ReadValueOfMatchingSubKeys(IRegistry& registry, Hive hive, const std::wstring& keyPath,
                                const std::wstring& valueName, StringArray& values32, StringArray& values64,
                                const StringArray& wanted32, const StringArray& wanted64);

// The value of HKEY_LOCAL_MACHINE\keyPath in the platform's view; empty when absent.
std::wstring ReadValueInView(IRegistry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                             Platform platform);

}  // namespace qv
