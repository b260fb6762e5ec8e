#pragma once
// A dialog built from a resource template, for modal use (DoModal) or modeless use
// (Create, ShowWindow, DestroyWindow). The object is handed to its window at creation
// through the init parameter and found again through the window's user slot, so no
// global table maps windows to objects. When the window is created the template's
// initialisation data (resource type 240) are applied, then OnInitDialog runs.
#include "window/win32/message_map.h"
#include "window/win32/window.h"

#include <optional>
#include <vector>

namespace qv::window {

class Dialog;

// What DoDataExchange is asked to do: fill the controls, or read them back (OnOK).
struct DataExchange {
    Dialog& dialog;
    bool saveAndValidate;
};

class Dialog : public Window {
public:
    Dialog(UINT templateId, HWND parent);
    // A modeless window that is still open is destroyed with its object.
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    Dialog(Dialog&&) = delete;
    Dialog& operator=(Dialog&&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog (IDOK, IDCANCEL), or -1
    // when the window could not be created or a WM_QUIT ended the loop before EndDialog was
    // called (the WM_QUIT then stays posted).
    INT_PTR DoModal();
    // True when the last DoModal ended because its loop met WM_QUIT (it then returned -1).
    bool EndedByQuit() const { return endedByQuit_; }

    // Creates the modeless window; it appears only if the template says visible or
    // ShowWindow is called.
    bool Create();
    bool ShowWindow(int command) const;
    bool DestroyWindow();

    // Binds a control of this dialog to its object once; later calls change nothing.
    void BindControl(int controlId, Window& control);

protected:
    // Runs the data exchange (filling the controls) and centres the window. Return true
    // to let the system give the focus to the first tab stop.
    virtual bool OnInitDialog();
    // The OK button (and Enter): a modal dialog reads its controls back and ends with IDOK;
    // a modeless one stays until its owner destroys it. Overrides call this at their end.
    virtual void OnOK();
    // A modal dialog ends with IDCANCEL (Cancel button, Esc, close box); a modeless one
    // stays until its owner destroys it.
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange& exchange);
    virtual const MessageMap* GetMessageMap() const;

    bool UpdateData(bool saveAndValidate);
    void EndDialog(INT_PTR result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR InitDialog(HWND hwnd);
    void WindowDestroyed();
    void CentreWindow() const;

    UINT templateId_;
    HWND parent_;
    bool modal_ = false;
    std::optional<INT_PTR> endedWith_;  // what EndDialog ended the current modal run with
    bool endedByQuit_ = false;
    std::vector<Window*> controls_;  // bound controls, for owner-draw requests
};

// Binds control `controlId` of the exchanging dialog to `control` (once).
void DDX_Control(DataExchange& exchange, int controlId, Window& control);

}  // namespace qv::window
