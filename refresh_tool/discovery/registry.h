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

// The bytes of one value exactly as the registry returned them.
using RegistryValueData = std::vector<unsigned char>;

// Value types, numbered as the registry numbers them (REG_SZ, REG_EXPAND_SZ).
using RegistryValueType = std::uint32_t;
inline constexpr RegistryValueType kRegistryString = 1;
inline constexpr RegistryValueType kRegistryExpandString = 2;

// One value as read: its type and its data.
struct RegistryValue {
    RegistryValueType type = kRegistryString;
    RegistryValueData data;
};

// One open key. Destroying the object closes the key.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Number of direct subkeys; nullopt when it cannot be queried.
    virtual std::optional<std::uint32_t> CountSubKeys() = 0;
    // Name of the subkey at `index` in the registry's enumeration order; nullopt when it
    // cannot be fetched (index past the end, key changed meanwhile).
    virtual std::optional<std::wstring> SubKeyName(std::uint32_t index) = 0;
    // The type and whole data of a value; nullopt when the value is missing or unreadable.
    virtual std::optional<RegistryValue> ReadValue(const std::wstring& valueName) = 0;
};

class IRegistry {
public:
    // Opens hive\path for reading in the view of `view`; null when it cannot be opened.
    virtual std::unique_ptr<IRegistryKey> OpenKey(Hive hive, const std::wstring& path, Platform view) = 0;

protected:
    ~IRegistry() = default;
};

}  // namespace qv
