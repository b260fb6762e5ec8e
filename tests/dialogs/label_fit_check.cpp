// label_fit_check: creates both dialog templates (102 and 103) as they are, and for every
// static control measures its text in the dialog's own font on the control's DC against the
// control's client width. A label wider than its control wraps or is cut on screen.
//   label_fit_check.exe      one line per label:  FIT|CUT <text width> <client width> <text>
//                            and first a line with the font: FONT <face> <height px> <dpi>
// Exit code 0 when every label fits, 1 otherwise.
#include "dialogs/resource.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring Text(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

// Returns the number of labels that do not fit.
int CheckDialog(int templateId, bool printFont)
{
    HWND dialog =
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr, &PlainDialogProc, 0);
    if (!dialog) {
        std::printf("ERROR template %d: no dialog (error %lu)\n", templateId, ::GetLastError());
        return 1;
    }
    int cut = 0;
    for (HWND control : Children(dialog)) {
        if (ClassName(control) != L"Static") {
            continue;
        }
        const std::wstring text = Text(control);
        HDC dc = ::GetDC(control);
        const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
        if (printFont) {
            wchar_t face[LF_FACESIZE] = {};
            ::GetTextFaceW(dc, LF_FACESIZE, face);
            TEXTMETRICW metrics{};
            ::GetTextMetricsW(dc, &metrics);
            std::printf("FONT %ls %ld %d\n", face, metrics.tmHeight, ::GetDeviceCaps(dc, LOGPIXELSY));
            printFont = false;
        }
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(dc, previous);
        ::ReleaseDC(control, dc);
        RECT client{};
        ::GetClientRect(control, &client);
        const bool fits = extent.cx <= client.right - client.left;
        cut += fits ? 0 : 1;
        std::printf("%s %ld %ld %ls\n", fits ? "FIT" : "CUT", extent.cx, client.right - client.left, text.c_str());
    }
    ::DestroyWindow(dialog);
    return cut;
}

}  // namespace

int wmain()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int cut = CheckDialog(IDD_QVUIREFRESHMATLABPATHS_DIALOG, true) + CheckDialog(IDD_RUNNINGDLG, false);
    return cut == 0 ? 0 : 1;
}
