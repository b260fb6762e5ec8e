#include "registry_test_keys.h"
#include "registry_writer.h"

#include "common/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qv::testing_keys {
namespace {

using qv::win32::UniqueKey;

bool Exists(Hive hive, Platform view, const std::wstring& path)
{
    UniqueKey key;
    return ::RegOpenKeyExW(RootKey(hive), path.c_str(), 0, KEY_READ | testbed::ViewAccess(view), key.put()) ==
           ERROR_SUCCESS;
}

bool Create(Hive hive, Platform view, const std::wstring& path, UniqueKey& key)
{
    return ::RegCreateKeyExW(RootKey(hive), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | testbed::ViewAccess(view),
                             nullptr, key.put(), nullptr) == ERROR_SUCCESS;
}

void ExportKey(HKEY key, const std::wstring& path, std::wstring& out)
{
    DWORD subKeys = 0;
    DWORD values = 0;
    FILETIME lastWrite{};
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                           nullptr, &lastWrite) != ERROR_SUCCESS) {
        out += L"[" + path + L"] unreadable\n";
        return;
    }
    wchar_t time[32];
    std::swprintf(time, 32, L"%08lx%08lx", lastWrite.dwHighDateTime, lastWrite.dwLowDateTime);
    out += L"[" + path + L"] " + time + L"\n";
    for (DWORD i = 0; i < values; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        BYTE data[4096];
        DWORD bytes = sizeof(data);
        DWORD type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &bytes) != ERROR_SUCCESS) {
            out += L"  value " + std::to_wstring(i) + L" unreadable\n";
            continue;
        }
        out += L"  " + std::wstring(name, nameLength) + L" type " + std::to_wstring(type) + L":";
        for (DWORD b = 0; b < bytes; ++b) {
            out += L" " + std::to_wstring(data[b]);
        }
        out += L"\n";
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            continue;
        }
        UniqueKey child;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, child.put()) == ERROR_SUCCESS) {
            ExportKey(child.get(), path + L"\\" + name, out);
        }
    }
}

}  // namespace

HKEY RootKey(Hive hive)
{
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool TestKeys::AddKey(Hive hive, Platform view, const std::wstring& path)
{
    // Per-user keys of separate views would model a layout Windows never has.
    if (hive == Hive::CurrentUser && testbed::HasUserSoftwareWow6432Node()) {
        ADD_FAILURE() << "the prefix has HKCU\\Software\\Wow6432Node";
        return false;
    }
    // The first missing component is where removal will start.
    std::size_t end = 0;
    while (end != std::wstring::npos) {
        end = path.find(L'\\', end + 1);
        const std::wstring prefix = path.substr(0, end);
        if (!prefix.empty() && !Exists(hive, view, prefix)) {
            created_.push_back({hive, view, prefix});
            break;
        }
    }
    UniqueKey key;
    return Create(hive, view, path, key);
}

bool TestKeys::SetString(Hive hive, Platform view, const std::wstring& path, const std::wstring& name,
                         const std::wstring& text)
{
    return SetRaw(hive, view, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
}

bool TestKeys::SetRaw(Hive hive, Platform view, const std::wstring& path, const std::wstring& name, DWORD type,
                      const void* data, DWORD bytes)
{
    if (!AddKey(hive, view, path)) {
        return false;
    }
    UniqueKey key;
    return Create(hive, view, path, key) &&
           ::RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
}

void TestKeys::RemoveAll()
{
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        const std::size_t split = it->path.find_last_of(L'\\');
        const std::wstring parentPath = split == std::wstring::npos ? std::wstring() : it->path.substr(0, split);
        const std::wstring leaf = split == std::wstring::npos ? it->path : it->path.substr(split + 1);
        UniqueKey parent;
        if (::RegOpenKeyExW(RootKey(it->hive), parentPath.c_str(), 0, KEY_ALL_ACCESS | testbed::ViewAccess(it->view),
                            parent.put()) == ERROR_SUCCESS) {
            ::RegDeleteTreeW(parent.get(), leaf.c_str());
        }
    }
    created_.clear();
}

std::wstring ExportTree(Hive hive, Platform view, const std::wstring& path)
{
    std::wstring out;
    UniqueKey key;
    if (::RegOpenKeyExW(RootKey(hive), path.c_str(), 0, KEY_READ | testbed::ViewAccess(view), key.put()) !=
        ERROR_SUCCESS) {
        return L"[" + path + L"] missing\n";
    }
    ExportKey(key.get(), path, out);
    return out;
}

}  // namespace qv::testing_keys
