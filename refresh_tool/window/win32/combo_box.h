#pragma once
// A drop-down list control of a dialog.
#include "window/win32/window.h"

namespace qv::window {

class ComboBox : public Window {
public:
    // Index of the selected entry, or CB_ERR (-1) when none is selected.
    int GetCurSel() const;
    // Selects an entry without raising a selection-change notification; -1 clears.
    int SetCurSel(int index) const;
};

}  // namespace qv::window
