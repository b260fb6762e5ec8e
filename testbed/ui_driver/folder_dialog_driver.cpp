#include "folder_dialog_driver.h"

namespace qv::testbed {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

// Sends to the other process without hanging the driver if it stopped responding.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// LB_GETTEXT and CB_GETLBTEXT are carried across processes by the system.
std::wstring ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index)
{
    const LRESULT length = Send(control, lengthMessage, static_cast<WPARAM>(index));
    if (length < 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Send(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool ItemRect(HWND list, int index, RECT& rect)
{
    const LRESULT count = Send(list, LB_GETCOUNT);
    if (index < 0 || index >= count) {
        return false;
    }
    return Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != LB_ERR;
}

void SendClick(HWND list, int x, int y)
{
    const LPARAM point = MAKELPARAM(x, y);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Send(list, WM_LBUTTONUP, 0, point);
}

LPARAM KeyData(UINT virtualKey, bool release)
{
    LPARAM data = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (release) {
        data |= static_cast<LPARAM>(3) << 30;  // previous state down, transition up
    }
    return data;
}

}  // namespace

HWND FindFolderDialog(DWORD processId)
{
    for (HWND window : FindTopLevelWindows(processId, L"#32770", kRefreshCaption)) {
        if (::GetDlgItem(window, kPlatformComboId) != nullptr && ::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND FindProgressWindow(DWORD processId)
{
    for (HWND window : FindTopLevelWindows(processId, L"#32770", kRefreshCaption)) {
        if (::FindWindowExW(window, nullptr, L"Static", kProgressText) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

bool IsProgressWindowShown(DWORD processId)
{
    HWND window = FindProgressWindow(processId);
    return window != nullptr && ::IsWindowVisible(window);
}

CheckListView ReadCheckList(HWND list)
{
    CheckListView view;
    if (list == nullptr) {
        return view;
    }
    view.enabled = ::IsWindowEnabled(list) != FALSE;
    const LRESULT count = Send(list, LB_GETCOUNT);
    for (int index = 0; index < count; ++index) {
        CheckListItemView item;
        item.text = ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, index);
        item.checked = Send(list, LB_GETITEMDATA, static_cast<WPARAM>(index)) > 0;
        view.items.push_back(item);
    }
    return view;
}

FolderDialogView ReadFolderDialog(HWND dialog)
{
    FolderDialogView view;
    view.caption = WindowText(dialog);
    HWND combo = ::GetDlgItem(dialog, kPlatformComboId);
    const LRESULT count = Send(combo, CB_GETCOUNT);
    for (int index = 0; index < count; ++index) {
        view.platformEntries.push_back(ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
    }
    view.platformIndex = static_cast<int>(Send(combo, CB_GETCURSEL));
    if (view.platformIndex >= 0 && view.platformIndex < count) {
        view.platformText = view.platformEntries[static_cast<size_t>(view.platformIndex)];
    }
    view.list32 = ReadCheckList(::GetDlgItem(dialog, kList32Id));
    view.list64 = ReadCheckList(::GetDlgItem(dialog, kList64Id));
    return view;
}

bool ChoosePlatform(HWND dialog, int index)
{
    HWND combo = ::GetDlgItem(dialog, kPlatformComboId);
    if (combo == nullptr || index < 0 || index >= Send(combo, CB_GETCOUNT)) {
        return false;
    }
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    Send(dialog, WM_COMMAND, MAKEWPARAM(kPlatformComboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

bool ChoosePlatform(HWND dialog, const std::wstring& entryText)
{
    const FolderDialogView view = ReadFolderDialog(dialog);
    for (size_t index = 0; index < view.platformEntries.size(); ++index) {
        if (view.platformEntries[index] == entryText) {
            return ChoosePlatform(dialog, static_cast<int>(index));
        }
    }
    return false;
}

bool ClickCheckBox(HWND dialog, int listId, int index)
{
    HWND list = ::GetDlgItem(dialog, listId);
    RECT item{};
    if (list == nullptr || !ItemRect(list, index, item)) {
        return false;
    }
    // The box sits at the left end of the item and is about as wide as the item is high.
    const int height = item.bottom - item.top;
    SendClick(list, item.left + height / 2, item.top + height / 2);
    return true;
}

bool ClickItemText(HWND dialog, int listId, int index)
{
    HWND list = ::GetDlgItem(dialog, listId);
    RECT item{};
    if (list == nullptr || !ItemRect(list, index, item)) {
        return false;
    }
    const int height = item.bottom - item.top;
    SendClick(list, item.left + 3 * height, item.top + height / 2);
    return true;
}

bool PressSpaceOnItem(HWND dialog, int listId, int index)
{
    HWND list = ::GetDlgItem(dialog, listId);
    RECT item{};
    if (list == nullptr || !ItemRect(list, index, item)) {
        return false;
    }
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index));
    Send(list, WM_KEYDOWN, VK_SPACE, KeyData(VK_SPACE, false));
    Send(list, WM_KEYUP, VK_SPACE, KeyData(VK_SPACE, true));
    return true;
}

void PressButton(HWND dialog, int buttonId)
{
    ::PostMessageW(::GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0);
}

void PressEscape(HWND dialog)
{
    // The key goes to the focused control, as typed keys do, and passes the dialog's
    // keyboard handling on the way.
    HWND target = dialog;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread) && thread.hwndFocus != nullptr &&
        (thread.hwndFocus == dialog || ::IsChild(dialog, thread.hwndFocus))) {
        target = thread.hwndFocus;
    }
    ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE, false));
    ::PostMessageW(target, WM_KEYUP, VK_ESCAPE, KeyData(VK_ESCAPE, true));
}

void ClickCloseBox(HWND dialog)
{
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace qv::testbed
