#pragma once
// The label Windows names a standard control after, for screen readers: the static text
// just before the control in z-order. Header-only, so the test bed's screen-reader client
// applies the same rule.
#include <windows.h>

#include <string>

namespace qv::window {

// The label's text as written (mnemonic marks included); empty when the window before the
// control is no static text.
inline std::wstring LabelBefore(HWND control)
{
    HWND label = ::GetWindow(control, GW_HWNDPREV);
    wchar_t className[16] = {};
    if (label == nullptr || ::GetClassNameW(label, className, 16) == 0 || ::lstrcmpiW(className, L"Static") != 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace qv::window
