#pragma once
// A registry in memory for host tests: HKEY_LOCAL_MACHINE with separate 32-bit and 64-bit
// views, and HKEY_CURRENT_USER, whose views are one tree as on Windows 7 and later unless
// asked otherwise. Subkeys enumerate in the order they were added; key and value names
// match case-insensitively, as in the registry. Faults can be planted per key.
#include "discovery/registry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qv::fakes {

class InMemoryRegistry final : public IRegistry {
public:
    enum class UserViews { Shared, Separate };

    explicit InMemoryRegistry(UserViews userViews = UserViews::Shared);
    ~InMemoryRegistry();
    InMemoryRegistry(const InMemoryRegistry&) = delete;
    InMemoryRegistry& operator=(const InMemoryRegistry&) = delete;

    // Creates hive\path and any missing parents in the view.
    void AddKey(Hive hive, Platform view, const std::wstring& path);
    // Sets raw data of a type, creating the key.
    void SetValue(Hive hive, Platform view, const std::wstring& keyPath, const std::wstring& valueName,
                  RegistryValueData data, RegistryValueType type = kRegistryString);
    // Stores text as REG_SZ data are stored: UTF-16LE with a terminating NUL.
    void SetString(Hive hive, Platform view, const std::wstring& keyPath, const std::wstring& valueName,
                   const std::wstring& text);

    // Planted faults on an existing key (created if missing).
    void DenyOpen(Hive hive, Platform view, const std::wstring& path);
    void FailSubKeyCount(Hive hive, Platform view, const std::wstring& path);
    void FailNameFetch(Hive hive, Platform view, const std::wstring& path);  // as seen from its parent

    // Keys opened and not yet closed.
    int OpenKeyCount() const { return openKeys_; }

    std::unique_ptr<IRegistryKey> OpenKey(Hive hive, const std::wstring& path, Platform view) override;

    struct Node;

private:
    Node& Root(Hive hive, Platform view);
    Node& Create(Hive hive, Platform view, const std::wstring& path);

    UserViews userViews_;
    std::unique_ptr<Node> roots_[4];
    int openKeys_ = 0;
};

// The UTF-16LE bytes of `text`, with a terminating NUL when asked.
RegistryValueData Utf16Bytes(const std::wstring& text, bool withTerminator = true);

}  // namespace qv::fakes
