#pragma once
// Platforms: the one a single call works on, and the set a whole run touches.

namespace qv {

// Platform of one call. It picks the registry view, the list of that platform and the
// tag of the MATLAB command. The values 0 and 1 are fixed: callers and tables use them.
enum class Platform { Bits32 = 0, Bits64 = 1 };

// Which platforms a run touches. The values equal the indexes of the dialog's drop-down
// entries "32-bit", "64-bit", "All". A plain enum on purpose: a value outside the three
// can reach the setup pass, which then runs neither platform.
enum PlatformSelection : int { Platform32 = 0, Platform64 = 1, PlatformAll = 2 };

constexpr bool SelectionIncludes32(int selection) { return selection == Platform32 || selection == PlatformAll; }
constexpr bool SelectionIncludes64(int selection) { return selection == Platform64 || selection == PlatformAll; }

}  // namespace qv
