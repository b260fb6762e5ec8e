#include "window/win32/combo_box.h"

namespace qv::window {

int ComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int ComboBox::SetCurSel(int index) const
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

}  // namespace qv::window
