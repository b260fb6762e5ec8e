#pragma once
// Writes test-bed registry content in a chosen view, and removes whole trees again.
#include "common/platform.h"

#include <windows.h>

#include <string>

namespace qv::testbed {

// Creates hive\path in the view (with every missing parent) and sets a REG_SZ value on it;
// an empty valueName sets the key's default value. An empty text is stored as an empty string.
bool WriteString(HKEY hive, Platform view, const std::wstring& path, const std::wstring& valueName,
                 const std::wstring& text);
// As WriteString, with data of any type taken as they are.
bool WriteValue(HKEY hive, Platform view, const std::wstring& path, const std::wstring& valueName, DWORD type,
                const void* data, DWORD bytes);
// Creates hive\path in the view with no values.
bool CreateKey(HKEY hive, Platform view, const std::wstring& path);
// Deletes hive\path and everything below it in the view; true also when it did not exist.
bool DeleteTree(HKEY hive, Platform view, const std::wstring& path);

REGSAM ViewAccess(Platform view);

// Whether HKCU\Software has a Wow6432Node child. Windows keeps HKCU\Software one key in both
// views; Wine splits any key that has such a child, so a prefix with one models a layout that
// no Windows machine has. The test bed writes none and refuses to work in such a prefix.
bool HasUserSoftwareWow6432Node();

}  // namespace qv::testbed
