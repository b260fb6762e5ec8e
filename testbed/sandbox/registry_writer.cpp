#include "registry_writer.h"

#include "common/win32/unique_handle.h"

namespace qv::testbed {
namespace {

win32::UniqueKey CreateWritableKey(HKEY hive, Platform view, const std::wstring& path)
{
    win32::UniqueKey key;
    ::RegCreateKeyExW(hive, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | ViewAccess(view), nullptr,
                      key.put(), nullptr);
    return key;
}

}  // namespace

REGSAM ViewAccess(Platform view)
{
    return view == Platform::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

bool HasUserSoftwareWow6432Node()
{
    win32::UniqueKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wow6432Node", 0, KEY_READ | KEY_WOW64_64KEY, key.put()) ==
           ERROR_SUCCESS;
}

bool CreateKey(HKEY hive, Platform view, const std::wstring& path)
{
    return static_cast<bool>(CreateWritableKey(hive, view, path));
}

bool WriteValue(HKEY hive, Platform view, const std::wstring& path, const std::wstring& valueName, DWORD type,
                const void* data, DWORD bytes)
{
    const win32::UniqueKey key = CreateWritableKey(hive, view, path);
    if (!key) {
        return false;
    }
    return ::RegSetValueExW(key.get(), valueName.empty() ? nullptr : valueName.c_str(), 0, type,
                            static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS;
}

bool WriteString(HKEY hive, Platform view, const std::wstring& path, const std::wstring& valueName,
                 const std::wstring& text)
{
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return WriteValue(hive, view, path, valueName, REG_SZ, text.c_str(), bytes);
}

bool DeleteTree(HKEY hive, Platform view, const std::wstring& path)
{
    const LSTATUS status = ::RegDeleteKeyExW(hive, path.c_str(), ViewAccess(view), 0);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    // The key has subkeys: open it in the view and empty it first.
    win32::UniqueKey key;
    if (::RegOpenKeyExW(hive, path.c_str(), 0, KEY_ALL_ACCESS | ViewAccess(view), key.put()) != ERROR_SUCCESS) {
        return false;
    }
    if (::RegDeleteTreeW(key.get(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    key.reset();
    const LSTATUS last = ::RegDeleteKeyExW(hive, path.c_str(), ViewAccess(view), 0);
    return last == ERROR_SUCCESS || last == ERROR_FILE_NOT_FOUND;
}

}  // namespace qv::testbed
