#include "launcher/win32/launch_worker.h"

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <process.h>

#include <optional>
#include <vector>

namespace qv::win32 {
namespace {

unsigned __stdcall LaunchThreadEntry(void* request)
{
    return LaunchThreadProc(static_cast<const LaunchRequest*>(request));
}

// Dispatches every message waiting for this thread, for any window. WM_QUIT is kept aside
// (it must reach the caller's own message loop, not be swallowed here).
void DispatchPendingMessages(std::optional<WPARAM>& quitCode)
{
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode = message.wParam;
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace

unsigned LaunchThreadProc(const LaunchRequest* request)
{
    if (request == nullptr) {
        return 1;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    // CreateProcessW may write into the command line, so it gets its own zero-terminated copy.
    std::vector<wchar_t> commandLine(request->commandLine.begin(), request->commandLine.end());
    commandLine.push_back(L'\0');
    if (::CreateProcessW(request->application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                         CREATE_NO_WINDOW, nullptr, request->directory.c_str(), &startup, &created)) {
        // Declared in this order so that the process handle is closed first.
        const UniqueHandle thread(created.hThread);
        const UniqueHandle process(created.hProcess);
        ::WaitForSingleObject(process.get(), INFINITE);
    }
    return 0;
}

void RunLaunchRequest(const LaunchRequest& request)
{
    // _beginthreadex (unlike _beginthread) never closes the handle it returns, and the thread
    // object is not freed while a handle is open: the handle stays valid until `worker` closes
    // it below, after the wait has seen the thread end. The CRT start (rather than CreateThread)
    // sets up the runtime for the worker, which allocates.
    void* const argument = const_cast<LaunchRequest*>(&request);  // the worker only reads it
    UniqueHandle worker(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &LaunchThreadEntry, argument, 0, nullptr)));
    if (!worker) {
        // No thread to be had: start and wait on this thread; the windows stall meanwhile.
        LaunchThreadProc(&request);
        return;
    }

    std::optional<WPARAM> quitCode;
    HANDLE waitFor[] = {worker.get()};
    for (;;) {
        // Drain first: the wait below wakes only for messages that arrive after the last look.
        DispatchPendingMessages(quitCode);
        const DWORD woken = ::MsgWaitForMultipleObjects(1, waitFor, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) {
            break;
        }
        if (woken == WAIT_FAILED) {
            // Cannot happen with a handle we own; never return while the worker still reads the request.
            ::WaitForSingleObject(worker.get(), INFINITE);
            break;
        }
    }
    if (quitCode) {
        ::PostQuitMessage(static_cast<int>(*quitCode));
    }
}

}  // namespace qv::win32
