#pragma once
// Fakes and shorthands that tests of several subsystems share.
#include "common/info_box.h"
#include "common/platform.h"
#include "common/string_array.h"
#include "discovery/registry.h"

namespace qv::fakes {

// An info box that records the texts it is asked to show.
class RecordingInfoBox final : public IInfoBox {
public:
    void Show(const std::wstring& text) override { shown.push_back(text); }
    StringArray shown;
};

// The hives and views as registry tests name them.
inline constexpr Hive kMachine = Hive::LocalMachine;
inline constexpr Hive kUser = Hive::CurrentUser;
inline constexpr Platform k32 = Platform::Bits32;
inline constexpr Platform k64 = Platform::Bits64;

}  // namespace qv::fakes
