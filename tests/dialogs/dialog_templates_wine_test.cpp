// The dialog templates and initialisation data as the system builds windows from them:
// captions, styles, and every control's class, text, place and style, in tab order.
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "dialogs/resource.h"
#include "dialogs/win32/running_dlg.h"
#include "folder_dialog_driver.h"
#include "window/win32/dialog_init.h"
#include "window/win32/win_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

static_assert(qv::testbed::kPlatformComboId == IDC_COMBO_PLATFORM);
static_assert(qv::testbed::kList32Id == IDC_LIST32);
static_assert(qv::testbed::kList64Id == IDC_LIST64);
static_assert(qv::kDialogInitResourceType == RT_DIALOG_INIT);

std::wstring ComboText(HWND combo, int index)
{
    wchar_t text[64] = {};
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length >= 64) {
        return L"<none>";
    }
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    RECT dialogUnits;  // left, top, width, height
    DWORD style;
};

// Bits that change at run time: lists drop their scroll bar when it is not needed, a
// dialog turns a border into a client edge, and the dialog disables one list.
constexpr DWORD kRuntimeBits = WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_DISABLED;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

std::vector<HWND> ChildrenInTabOrder(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

void ExpectControls(HWND dialog, const std::vector<ExpectedControl>& controls)
{
    const std::vector<HWND> children = ChildrenInTabOrder(dialog);
    ASSERT_EQ(children.size(), controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& want = controls[i];
        SCOPED_TRACE(testing::Message() << "control " << i + 1);
        HWND child = children[i];
        EXPECT_EQ(static_cast<int>(::GetDlgCtrlID(child)), want.id);
        EXPECT_EQ(ClassOf(child), want.className);
        if (want.text != nullptr) {
            EXPECT_EQ(TextOf(child), want.text);
        }
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        EXPECT_EQ(style & ~kRuntimeBits, want.style & ~kRuntimeBits) << std::hex << style;
        if ((want.style & WS_BORDER) != 0) {
            // A dialog draws a bordered control with a sunken client edge instead.
            const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_EXSTYLE));
            EXPECT_TRUE((style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0);
        }

        // The dialog manager scales position and size each on their own.
        RECT expected{want.dialogUnits};
        ::MapDialogRect(dialog, &expected);
        RECT actual{};
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right);
        if (want.id != IDC_COMBO_PLATFORM) {  // a drop-down's window is as high as its closed box
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        }
    }
}

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kWindowBits = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                              WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;

TEST(DialogTemplates, FolderSelectionDialog)
{
    CQvUiRefreshMatlabPathsDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HWND hwnd = dialog.GetSafeHwnd();
    EXPECT_EQ(TextOf(hwnd), L"Refresh ORX MATLAB Paths");
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)) & kWindowBits, 0x90C800C8u & kWindowBits);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE)) & WS_EX_APPWINDOW, DWORD{WS_EX_APPWINDOW});

    // The template's order, except that each label now lies just before the control it
    // names, where screen readers look for a control's name.
    ExpectControls(
        hwnd,
        {
            {IDOK, L"Button", L"OK", {243, 187, 50, 14}, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, L"Button", L"Cancel", {297, 187, 50, 14}, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
            {-1, L"Static", L"64-bit ORX MATLAB Folders:", {7, 107, 90, 8}, kLabel},
            {IDC_LIST64, L"ListBox", nullptr, {7, 117, 340, 61}, 0x50A10153},
            {-1, L"Static", L"32-bit ORX MATLAB Folders:", {7, 27, 90, 8}, kLabel},
            {IDC_LIST32, L"ListBox", nullptr, {7, 38, 340, 61}, 0x50A10153},
            {-1, L"Static", L"Platform to Update:", {7, 9, 64, 8}, kLabel},
            {IDC_COMBO_PLATFORM, L"ComboBox", nullptr, {73, 7, 48, 50}, 0x50210103},
            {-1, L"Static", L"(Please Note: ORX version 10 or greater is required.)", {7, 190, 169, 8}, kLabel},
        });

    // Tab goes from stop to stop in the template's order; the labels are no stops.
    dialog.m_list32.EnableWindow(true);
    dialog.m_list64.EnableWindow(true);
    std::vector<int> tabOrder;
    HWND stop = ::GetDlgItem(hwnd, IDOK);
    for (int i = 0; i < 6; ++i) {
        tabOrder.push_back(::GetDlgCtrlID(stop));
        stop = ::GetNextDlgTabItem(hwnd, stop, FALSE);
    }
    EXPECT_EQ(tabOrder, (std::vector<int>{IDOK, IDCANCEL, IDC_LIST64, IDC_LIST32, IDC_COMBO_PLATFORM, IDOK}));

    // The initialisation data filled the drop-down, index = PlatformSelection.
    const HWND combo = dialog.m_comboPlatform.GetSafeHwnd();
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ComboText(combo, 0), L"32-bit");
    EXPECT_EQ(ComboText(combo, 1), L"64-bit");
    EXPECT_EQ(ComboText(combo, 2), L"All");
    // The program's icon, as the window's icons and as the minimised dialog's drag image.
    ASSERT_NE(dialog.m_hIcon.get(), nullptr);
    const auto icon = reinterpret_cast<LRESULT>(dialog.m_hIcon.get());
    EXPECT_EQ(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0), icon);
    EXPECT_EQ(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0), icon);
    EXPECT_EQ(::SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0), icon);

    dialog.DestroyWindow();
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.m_list32.GetSafeHwnd(), nullptr);  // controls let go with the window
}

TEST(DialogTemplates, ProgressWindow)
{
    RunningDlg progress;
    ASSERT_TRUE(progress.Create());
    HWND hwnd = progress.GetSafeHwnd();
    EXPECT_EQ(TextOf(hwnd), L"Refresh ORX MATLAB Paths");
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)) & kWindowBits, 0x80C000C8u & kWindowBits);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE)) & WS_EX_APPWINDOW, 0u);
    ExpectControls(hwnd, {{-1, L"Static", L"Running Refresh Matlab Path Tool...", {51, 22, 118, 8}, kLabel}});
}

TEST(DialogTemplates, InitialisationDataOfTheFolderDialog)
{
    const qv::DialogInitData data =
        qv::window::LoadDialogInitData(qv::window::ResourceModule(), IDD_QVUIREFRESHMATLABPATHS_DIALOG);
    EXPECT_TRUE(data.complete);
    ASSERT_EQ(data.entries.size(), 3u);
    const char* texts[] = {"32-bit", "64-bit", "All"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(data.entries[i].controlId, IDC_COMBO_PLATFORM);
        EXPECT_EQ(data.entries[i].message, qv::kDialogInitComboAddString);
        EXPECT_EQ(data.entries[i].text, texts[i]);
    }
    // The progress window has none.
    const qv::DialogInitData none = qv::window::LoadDialogInitData(qv::window::ResourceModule(), IDD_RUNNINGDLG);
    EXPECT_TRUE(none.complete);
    EXPECT_TRUE(none.entries.empty());
}

}  // namespace
