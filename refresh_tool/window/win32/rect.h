#pragma once
// Conversions between Win32 rectangles and the layer's portable pixel rectangles.
#include "window/window_geometry.h"

#include <windows.h>

namespace qv::window {

inline PixelRect ToPixelRect(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}
inline RECT ToRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace qv::window
