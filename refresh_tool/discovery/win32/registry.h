#pragma once
// The Win32 registry behind IRegistry: keys are opened read-only in the view of a platform
// and closed when their object goes.
#include "discovery/registry.h"

#include <windows.h>

namespace qv::win32 {

// KEY_READ with KEY_WOW64_32KEY, and KEY_READ with KEY_WOW64_64KEY.
inline constexpr REGSAM kReadAccess32 = 0x20219;
inline constexpr REGSAM kReadAccess64 = 0x20119;
static_assert(kReadAccess32 == (KEY_READ | KEY_WOW64_32KEY) && kReadAccess64 == (KEY_READ | KEY_WOW64_64KEY));

constexpr REGSAM ReadAccessFor(Platform view)
{
    return view == Platform::Bits32 ? kReadAccess32 : kReadAccess64;
}

class Win32Registry final : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(Hive hive, const std::wstring& path, Platform view) override;
};

}  // namespace qv::win32
