#pragma once
// Registry value data to text.
#include "discovery/registry.h"

#include <cstddef>
#include <string>

namespace qv {

// Only string values are text: a number, a string list or binary data that happen to spell
// a path are not one.
constexpr bool IsTextValueType(RegistryValueType type)
{
    return type == kRegistryString || type == kRegistryExpandString;
}

// Takes `size` bytes of value data as little-endian UTF-16 and returns the text up to the
// first NUL unit or the end of the data, whichever comes first. A trailing odd byte is
// dropped. Reads no byte at or past data + size; `data` may be null when `size` is 0.
// The type is the caller's business (IsTextValueType).
std::wstring RegistryValueToString(const unsigned char* data, std::size_t size);

}  // namespace qv
