#pragma once
// An info box that records the texts it is asked to show.
#include "common/info_box.h"
#include "common/string_array.h"

namespace qv::fakes {

class RecordingInfoBox final : public IInfoBox {
public:
    void Show(const std::wstring& text) override { shown.push_back(text); }
    StringArray shown;
};

}  // namespace qv::fakes
