// folder_dialog_host: shows QvMatlabSetPath's dialogs on their own, so that a test or the
// screenshot script can drive the real windows in a separate process.
//   folder_dialog_host.exe [-platform N] [-32 FOLDER]... [-64 FOLDER]... [-progress]
//       runs the folder-selection dialog with these lists and platform (with the progress
//       window behind it when -progress is given), then reports in a message box captioned
//       "Result" one line each: result=N, platform=N, and 32=FOLDER / 64=FOLDER per folder
//       handed back.
//   folder_dialog_host.exe -progress-only MS
//       shows the progress window for MS milliseconds, keeping it painted.
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "dialogs/win32/running_dlg.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cwchar>
#include <memory>
#include <string>

namespace {

void PumpMessagesFor(DWORD milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

std::wstring DescribeResult(INT_PTR result, const CQvUiRefreshMatlabPathsDlg& dialog)
{
    std::wstring text = L"result=" + std::to_wstring(result) + L"\nplatform=" + std::to_wstring(dialog.m_platform);
    for (const std::wstring& folder : dialog.m_folders32) {
        text += L"\n32=" + folder;
    }
    for (const std::wstring& folder : dialog.m_folders64) {
        text += L"\n64=" + folder;
    }
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // As in the program: the GUI thread is a COM apartment, through which the check lists'
    // accessible objects reach screen readers in other processes.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    if (argc == 3 && std::wstring(argv[1]) == L"-progress-only") {
        RunningDlg progress;
        progress.Create();
        progress.ShowWindow(SW_SHOWNORMAL);
        PumpMessagesFor(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        return 0;
    }

    CQvUiRefreshMatlabPathsDlg dialog;
    std::unique_ptr<RunningDlg> progress;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == L"-platform" && hasValue) {
            dialog.m_platform = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        } else if (option == L"-32" && hasValue) {
            dialog.m_folders32.push_back(argv[++i]);
        } else if (option == L"-64" && hasValue) {
            dialog.m_folders64.push_back(argv[++i]);
        } else if (option == L"-progress") {
            progress = std::make_unique<RunningDlg>();
            progress->Create();
            progress->ShowWindow(SW_SHOWNORMAL);
        }
    }
    const INT_PTR result = dialog.DoModal();
    ::MessageBoxW(nullptr, DescribeResult(result, dialog).c_str(), L"Result", MB_OK);
    return 0;
}
