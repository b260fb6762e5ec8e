#pragma once
// Registry value data to text.
#include <cstddef>
#include <string>

namespace qv {

// Takes `size` bytes of value data as little-endian UTF-16 and returns the text up to the
// first NUL unit or the end of the data, whichever comes first. A trailing odd byte is
// dropped. Reads no byte at or past data + size; `data` may be null when `size` is 0.
// The value type is not considered: every value reads as text.
std::wstring RegistryValueToString(const unsigned char* data, std::size_t size);

}  // namespace qv
