#pragma once
// The progress window shown for the whole run: modeless, from template 103, hidden until
// shown, with no close box, no buttons and one line of text. Esc or a close request
// changes nothing (a modeless dialog stays until its owner destroys it).
#include "dialogs/resource.h"
#include "window/win32/dialog.h"

class RunningDlg : public qv::window::Dialog {
public:
    enum { IDD = IDD_RUNNINGDLG };

    explicit RunningDlg(HWND parent = nullptr) : Dialog(IDD, parent) {}
};
