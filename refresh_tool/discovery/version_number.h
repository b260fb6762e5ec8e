#pragma once
// The number at the start of a product version name.
#include <string>

namespace qv {

// Reads a name as the runtime's _wtof does: white space is skipped, then an optional sign,
// digits with an optional decimal point and an optional exponent are taken; whatever
// follows is ignored. A name that does not begin with a number gives 0.
// "10abc" -> 10, " 11" -> 11, "x10" -> 0, "9.5" -> 9.5.
double LeadingNumber(const std::wstring& text);

// Product versions below this number are not offered a per-user setup.
inline constexpr double kMinimumProductVersion = 10.0;

// True for names whose leading number is kMinimumProductVersion or above.
bool IsSupportedProductVersion(const std::wstring& name);

}  // namespace qv
