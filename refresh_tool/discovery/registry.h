#pragma once
// The narrow, read-only view of the registry that discovery works on. The Windows binding
// wraps the Win32 registry; host tests use an in-memory registry.
#include "common/platform.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class Hive { LocalMachine, CurrentUser };

// The bytes of one value exactly as the registry returned them; the type is not kept.
using RegistryValueData = std::vector<unsigned char>;

// One open key. Destroying the object closes the key.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Number of direct subkeys; nullopt when it cannot be queried.
    virtual std::optional<std::uint32_t> CountSubKeys() = 0;
    // Name of the subkey at `index` in the registry's enumeration order; nullopt when it
    // cannot be fetched (index past the end, key changed meanwhile).
    virtual std::optional<std::wstring> SubKeyName(std::uint32_t index) = 0;
    // The whole data of a value; nullopt when the value is missing or unreadable.
    virtual std::optional<RegistryValueData> ReadValue(const std::wstring& valueName) = 0;
};

class IRegistry {
public:
    // Opens hive\path for reading in the view of `view`; null when it cannot be opened.
    virtual std::unique_ptr<IRegistryKey> OpenKey(Hive hive, const std::wstring& path, Platform view) = 0;

protected:
    ~IRegistry() = default;
};

}  // namespace qv
