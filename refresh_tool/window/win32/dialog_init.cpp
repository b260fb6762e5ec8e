#include "window/win32/dialog_init.h"

#include <string>

namespace qv::window {
namespace {

// The strings are narrow texts in the program's code page.
std::wstring Widen(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    }
    return wide;
}

}  // namespace

DialogInitData LoadDialogInitData(HMODULE module, UINT templateId)
{
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kDialogInitResourceType));
    if (resource == nullptr) {
        DialogInitData none;
        none.complete = true;
        return none;
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    return ParseDialogInitData(static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, resource));
}

bool ApplyDialogInitData(HWND dialog, HMODULE module, UINT templateId)
{
    const DialogInitData data = LoadDialogInitData(module, templateId);
    for (const DialogInitEntry& entry : data.entries) {
        const UINT message = entry.message == kDialogInitComboAddString  ? CB_ADDSTRING
                             : entry.message == kDialogInitListAddString ? LB_ADDSTRING
                                                                         : 0;
        HWND control = ::GetDlgItem(dialog, entry.controlId);
        if (message == 0 || control == nullptr) {
            continue;
        }
        const std::wstring text = Widen(entry.text);
        ::SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return data.complete;
}

}  // namespace qv::window
