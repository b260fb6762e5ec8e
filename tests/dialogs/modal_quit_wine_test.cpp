// A modal loop ended by WM_QUIT before anyone answered: no answer (-1), not the system's
// initial IDOK, and the quit stays posted for the program's own loop.
#include "dialogs/resource.h"
#include "window/win32/dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Removes and returns the exit code of a pending WM_QUIT; -1 when none is pending.
INT_PTR TakePendingQuit()
{
    MSG message{};
    if (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) == FALSE) {
        return -1;
    }
    return static_cast<INT_PTR>(message.wParam);
}

TEST(ModalDialog, QuitPostedBeforeDoModalGivesNoAnswerAndStaysPosted)
{
    qv::window::Dialog dialog(IDD_QVUIREFRESHMATLABPATHS_DIALOG, nullptr);
    ::PostQuitMessage(7);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(dialog.EndedByQuit());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(TakePendingQuit(), 7);

    // The next run is a normal one again: its own answer counts.
    class CancelAtOnce final : public qv::window::Dialog {
    public:
        CancelAtOnce() : Dialog(IDD_QVUIREFRESHMATLABPATHS_DIALOG, nullptr) {}

    protected:
        bool OnInitDialog() override
        {
            ::PostMessageW(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return Dialog::OnInitDialog();
        }
    } cancelled;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancelled.EndedByQuit());
    EXPECT_EQ(TakePendingQuit(), -1);
}

}  // namespace
