#pragma once
// MinGW's oleacc import library resolves IID_IAccessible to an import thunk, not to the
// GUID, so LresultFromObject and AccessibleObjectFromWindow get the id spelled out here.
#include <windows.h>

namespace qv::window {

inline constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

}  // namespace qv::window
