#pragma once
// Keys that a Wine test writes into the real registry of its prefix, and removes again.
#include "discovery/registry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::testing_keys {

class TestKeys {
public:
    TestKeys() = default;
    ~TestKeys() { RemoveAll(); }
    TestKeys(const TestKeys&) = delete;
    TestKeys& operator=(const TestKeys&) = delete;

    // Creates hive\path in the view; remembers the topmost key it had to create.
    bool AddKey(Hive hive, Platform view, const std::wstring& path);
    bool SetString(Hive hive, Platform view, const std::wstring& path, const std::wstring& name,
                   const std::wstring& text);
    // Raw data of any type and length.
    bool SetRaw(Hive hive, Platform view, const std::wstring& path, const std::wstring& name, DWORD type,
                const void* data, DWORD bytes);

    // Deletes every key tree this object created, newest first.
    void RemoveAll();

private:
    struct Created {
        Hive hive;
        Platform view;
        std::wstring path;
    };
    std::vector<Created> created_;
};

// A text listing of hive\path in a view: every key with its last-write time and every value
// with type and data, recursively. Equal listings mean nothing was written.
std::wstring ExportTree(Hive hive, Platform view, const std::wstring& path);

HKEY RootKey(Hive hive);

}  // namespace qv::testing_keys
