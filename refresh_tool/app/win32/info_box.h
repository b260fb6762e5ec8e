#pragma once
#include "common/info_box.h"

namespace qv::win32 {

// "Info" message box: no owner window, OK button only, no icon; returns when closed.
class Win32InfoBox final : public IInfoBox {
public:
    void Show(const std::wstring& text) override;
};

}  // namespace qv::win32
