#pragma once
// Platforms: the one a single call works on, the set a whole run touches, and a value per platform.

namespace qv {

// Platform of one call. It picks the registry view, the list of that platform and the
// tag of the MATLAB command. The values 0 and 1 are fixed: callers and tables use them.
enum class Platform { Bits32 = 0, Bits64 = 1 };

// Both platforms, in the order every pass over them takes: 32-bit first.
inline constexpr Platform kPlatforms[] = {Platform::Bits32, Platform::Bits64};

// Which platforms a run touches. The values equal the indexes of the dialog's drop-down
// entries "32-bit", "64-bit", "All". A value outside the three (a drop-down index that
// names no entry) touches neither platform.
enum class PlatformSelection : int { Bits32 = 0, Bits64 = 1, All = 2 };

constexpr bool Includes(PlatformSelection selection, Platform platform)
{
    return selection == PlatformSelection::All || static_cast<int>(selection) == static_cast<int>(platform);
}

// The platform a one-platform selection names (Bits32 for a selection of both or neither).
constexpr Platform SinglePlatform(PlatformSelection selection)
{
    return selection == PlatformSelection::Bits64 ? Platform::Bits64 : Platform::Bits32;
}

// One value per platform, indexed by Platform.
template <typename T> struct PlatformPair {
    T bits32{};
    T bits64{};

    T& operator[](Platform platform) { return platform == Platform::Bits32 ? bits32 : bits64; }
    const T& operator[](Platform platform) const { return platform == Platform::Bits32 ? bits32 : bits64; }
};

}  // namespace qv
