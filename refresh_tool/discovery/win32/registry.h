#pragma once
// The Win32 registry behind IRegistry: keys are opened read-only in the view of a platform
// and closed when their object goes.
#include "discovery/registry.h"

#include <windows.h>

namespace qv::win32 {

// Read-only access in the 32-bit and in the 64-bit view of the registry.
inline constexpr REGSAM kReadAccess32 = KEY_READ | KEY_WOW64_32KEY;
inline constexpr REGSAM kReadAccess64 = KEY_READ | KEY_WOW64_64KEY;
static_assert(kReadAccess32 == 0x20219 && kReadAccess64 == 0x20119);

constexpr REGSAM ReadAccessFor(Platform view)
{
    return view == Platform::Bits32 ? kReadAccess32 : kReadAccess64;
}

class Win32Registry final : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(Hive hive, const std::wstring& path, Platform view) override;
};

}  // namespace qv::win32
