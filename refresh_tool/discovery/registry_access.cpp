#include "discovery/registry_access.h"

#include "discovery/registry_value_text.h"

#include <algorithm>

namespace qv {
namespace {

bool Contains(const StringArray& entries, const std::wstring& name)
{
    return std::find(entries.begin(), entries.end(), name) != entries.end();
}

// Appends every subkey name of hive\keyPath in one view that `keep` accepts.
template <typename Keep>
void ListSubKeysInView(IRegistry& registry, Hive hive, const std::wstring& keyPath, Platform view, StringArray& names,
                       Keep keep)
{
    const std::unique_ptr<IRegistryKey> key = registry.OpenKey(hive, keyPath, view);
    if (!key) {
        return;
    }
    const std::optional<std::uint32_t> count = key->CountSubKeys();
    if (!count) {
        return;
    }
    for (std::uint32_t index = 0; index < *count; ++index) {
        std::wstring name = GetSubKeyName(*key, index);
        if (keep(name)) {
            names.push_back(std::move(name));
        }
    }
}

// For each name: opens hive\(keyPath + name) in the view and appends the value if read.
void ReadValueUnderEach(IRegistry& registry, Hive hive, const std::wstring& keyPath, const std::wstring& valueName,
                        Platform view, const StringArray& names, StringArray& values)
{
    for (const std::wstring& name : names) {
        const std::unique_ptr<IRegistryKey> key = registry.OpenKey(hive, keyPath + name, view);
        if (!key) {
            continue;
        }
        if (std::optional<std::wstring> value = ReadStringValue(*key, valueName)) {
            values.push_back(std::move(*value));
        }
    }
}

}  // namespace

std::optional<std::wstring> ReadStringValue(IRegistryKey& key, const std::wstring& valueName)
{
    const std::optional<RegistryValue> value = key.ReadValue(valueName);
    if (!value || !IsTextValueType(value->type)) {
        return std::nullopt;
    }
    return RegistryValueToString(value->data.data(), value->data.size());
}

std::wstring GetSubKeyName(IRegistryKey& key, std::uint32_t index)
{
    return key.SubKeyName(index).value_or(std::wstring());
}

void ListSubKeys(IRegistry& registry, Hive hive, const std::wstring& keyPath, StringArray& names32,
                 StringArray& names64)
{
    const PlatformPair<StringArray*> names{&names32, &names64};
    for (const Platform view : kPlatforms) {
        ListSubKeysInView(registry, hive, keyPath, view, *names[view], [](const std::wstring&) { return true; });
    }
}

void ListMatchingSubKeys(IRegistry& registry, const std::wstring& keyPath, StringArray& names32, StringArray& names64,
                         const StringArray& wanted32, const StringArray& wanted64)
{
    const PlatformPair<StringArray*> names{&names32, &names64};
    const PlatformPair<const StringArray*> wantedNames{&wanted32, &wanted64};
    for (const Platform view : kPlatforms) {
        const StringArray& wanted = *wantedNames[view];
        ListSubKeysInView(registry, Hive::LocalMachine, keyPath, view, *names[view],
                          [&wanted](const std::wstring& name) { return Contains(wanted, name); });
    }
}

void ReadValueOfEachSubKey(IRegistry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                           StringArray& values32, StringArray& values64)
{
    StringArray names32;
    StringArray names64;
    ListSubKeys(registry, Hive::LocalMachine, keyPath, names32, names64);
    ReadValueUnderEach(registry, Hive::LocalMachine, keyPath, valueName, Platform::Bits32, names32, values32);
    ReadValueUnderEach(registry, Hive::LocalMachine, keyPath, valueName, Platform::Bits64, names64, values64);
}

void ReadValueOfMatchingSubKeys(IRegistry& registry, Hive hive, const std::wstring& keyPath,
                                const std::wstring& valueName, StringArray& values32, StringArray& values64,
                                const StringArray& wanted32, const StringArray& wanted64)
{
    StringArray names32;
    StringArray names64;
    ListMatchingSubKeys(registry, keyPath, names32, names64, wanted32, wanted64);
    ReadValueUnderEach(registry, hive, keyPath, valueName, Platform::Bits32, names32, values32);
    ReadValueUnderEach(registry, hive, keyPath, valueName, Platform::Bits64, names64, values64);
}

std::wstring ReadValueInView(IRegistry& registry, const std::wstring& keyPath, const std::wstring& valueName,
                             Platform platform)
{
    const std::unique_ptr<IRegistryKey> key = registry.OpenKey(Hive::LocalMachine, keyPath, platform);
    if (!key) {
        return std::wstring();
    }
    return ReadStringValue(*key, valueName).value_or(std::wstring());
}

}  // namespace qv
