// The progress window: created hidden, shown, impossible to close, destroyed by its
// owner; and in the real program, on screen for as long as the run lasts.
#include "dialogs/win32/running_dlg.h"
#include "folder_dialog_driver.h"
#include "process_runner.h"

#include <gtest/gtest.h>

namespace {

bool HasChildOfClass(HWND window, const wchar_t* className)
{
    return ::FindWindowExW(window, nullptr, className, nullptr) != nullptr;
}

TEST(ProgressWindow, CreatedHiddenThenShownThenDestroyed)
{
    RunningDlg progress;
    ASSERT_TRUE(progress.Create());
    HWND hwnd = progress.GetSafeHwnd();
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    EXPECT_FALSE(qv::testbed::IsProgressWindowShown(::GetCurrentProcessId()));

    progress.ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(::IsWindowVisible(hwnd));
    EXPECT_EQ(qv::testbed::FindProgressWindow(::GetCurrentProcessId()), hwnd);
    EXPECT_TRUE(qv::testbed::IsProgressWindowShown(::GetCurrentProcessId()));
    // Not to be taken for a message box by the driver that answers those.
    EXPECT_FALSE(qv::testbed::IsMessageBox(hwnd));

    // No close box, no buttons.
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_FALSE(HasChildOfClass(hwnd, L"Button"));

    EXPECT_TRUE(progress.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(progress.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(progress.DestroyWindow());  // a second time does nothing
}

TEST(ProgressWindow, IgnoresEveryRequestToClose)
{
    RunningDlg progress;
    ASSERT_TRUE(progress.Create());
    progress.ShowWindow(SW_SHOWNORMAL);
    HWND hwnd = progress.GetSafeHwnd();
    ::SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindowVisible(hwnd));
}

TEST(ProgressWindow, GoesWithItsObject)
{
    HWND hwnd = nullptr;
    {
        RunningDlg progress;
        ASSERT_TRUE(progress.Create());
        hwnd = progress.GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(ProgressWindow, StaysUpUntilTheLastMessageOfARunThatEndsAtOnce)
{
    // The conflict message ends the run; the window must still be there behind the box.
    qv::testbed::RunOptions options;
    std::vector<bool> shownAtBox;
    options.onInfoBox = [&](DWORD processId, const qv::testbed::MessageBoxView&) {
        shownAtBox.push_back(qv::testbed::IsProgressWindowShown(processId));
    };
    const qv::testbed::ProgramRun run =
        qv::testbed::RunProgram(qv::testbed::ExecutableDirectory() + L"QvMatlabSetPath.exe", L"-x86 -x64 -d", options);
    EXPECT_FALSE(run.timedOut);
    ASSERT_EQ(run.infoBoxes.size(), 1u);
    EXPECT_EQ(run.infoBoxes[0].text, L"Cannot specify both x86 and x64 flags.\n");
    EXPECT_EQ(shownAtBox, std::vector<bool>{true});
}

}  // namespace
