#include "discovery/registry_value_text.h"

namespace qv {

std::wstring RegistryValueToString(const unsigned char* data, std::size_t size)
{
    std::wstring text;
    const std::size_t units = size / 2;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned int unit = static_cast<unsigned int>(data[2 * i]) |
                                  (static_cast<unsigned int>(data[2 * i + 1]) << 8);
        if (unit == 0) {
            break;
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

}  // namespace qv
