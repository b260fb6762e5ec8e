#include "ui_driver.h"

namespace qv::testbed {
namespace {

// Controls of the message-box template: the text is 0xFFFF on Windows and Wine; the icon
// is 0x14 on Windows and 0x440 on Wine.
constexpr int kTextId = 0xFFFF;
constexpr int kIconIds[] = {0x14, 0x440};

struct Search {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* caption;
    std::vector<HWND> found;
};

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (search->processId != 0 && owner != search->processId) {
        return TRUE;
    }
    if (search->className != nullptr && ClassName(window) != search->className) {
        return TRUE;
    }
    if (search->caption != nullptr && WindowText(window) != search->caption) {
        return TRUE;
    }
    search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::vector<HWND> FindTopLevelWindows(DWORD processId, const wchar_t* className, const wchar_t* caption)
{
    Search search{processId, className, caption, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMessageBox(HWND window)
{
    return ClassName(window) == L"#32770" && ::GetDlgItem(window, kTextId) != nullptr;
}

MessageBoxView ReadMessageBox(HWND window)
{
    MessageBoxView view;
    view.caption = WindowText(window);
    if (HWND text = ::GetDlgItem(window, kTextId)) {
        view.text = WindowText(text);
    }
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDCLOSE, IDHELP, IDTRYAGAIN, IDCONTINUE}) {
        HWND button = ::GetDlgItem(window, id);
        if (button != nullptr && ::IsWindowVisible(button)) {
            view.buttons.push_back(id);
        }
    }
    for (int id : kIconIds) {
        HWND icon = ::GetDlgItem(window, id);
        if (icon != nullptr && ::IsWindowVisible(icon) && ::SendMessageW(icon, STM_GETICON, 0, 0) != 0) {
            view.hasIcon = true;
        }
    }
    view.hasOwner = ::GetWindow(window, GW_OWNER) != nullptr;
    return view;
}

void CloseMessageBox(HWND window)
{
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace qv::testbed
