#include "discovery/win32/registry.h"

#include "common/win32/unique_handle.h"

namespace qv::win32 {
namespace {

static_assert(kRegistryString == REG_SZ && kRegistryExpandString == REG_EXPAND_SZ);

// A first read of this size covers nearly every value; longer ones are asked for again
// with the size the registry reports.
constexpr DWORD kFirstReadBytes = 256;
// The value may grow between two reads; give up after this many.
constexpr int kMaxReadAttempts = 4;
// Registry key names have at most 255 characters; one more for the NUL.
constexpr DWORD kNameBufferChars = 256;

class Win32RegistryKey final : public IRegistryKey {
public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    std::optional<std::uint32_t> CountSubKeys() override
    {
        DWORD subKeys = 0;
        if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return subKeys;
    }

    std::optional<std::wstring> SubKeyName(std::uint32_t index) override
    {
        wchar_t name[kNameBufferChars] = {};
        DWORD length = kNameBufferChars;
        FILETIME lastWrite{};
        if (::RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, &lastWrite) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(name, length);
    }

    std::optional<RegistryValue> ReadValue(const std::wstring& valueName) override
    {
        RegistryValueData data(kFirstReadBytes);
        for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt) {
            DWORD type = 0;
            DWORD size = static_cast<DWORD>(data.size());
            const LSTATUS status =
                ::RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
            if (status == ERROR_SUCCESS) {
                data.resize(size);
                return RegistryValue{static_cast<RegistryValueType>(type), std::move(data)};
            }
            if (status != ERROR_MORE_DATA) {
                return std::nullopt;
            }
            data.resize(size > data.size() ? size : data.size() * 2);
        }
        return std::nullopt;
    }

private:
    UniqueKey key_;
};

HKEY RootOf(Hive hive)
{
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

std::unique_ptr<IRegistryKey> Win32Registry::OpenKey(Hive hive, const std::wstring& path, Platform view)
{
    UniqueKey key;
    if (::RegOpenKeyExW(RootOf(hive), path.c_str(), 0, ReadAccessFor(view), key.put()) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

}  // namespace qv::win32
