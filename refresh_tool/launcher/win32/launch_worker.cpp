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

// A window that always has a message pending (one that posts itself a message whenever it
// handles one, or a WM_PAINT that never validates) would keep a plain drain going for ever:
// a drain dispatches at most this many messages, and a flooded queue gets the next drain only
// after a short pause, so the thread neither misses the worker's end nor spins at full speed.
constexpr int kMessagesPerDrain = 64;
constexpr DWORD kFloodPauseMs = 10;

enum class DrainEnd { WorkerEnded, QueueEmpty, Flooded };

// Dispatches the messages waiting for this thread, for any window, looking for the worker's
// end between them. WM_QUIT is kept aside (it must reach the caller's own message loop, not be
// swallowed here).
DrainEnd DispatchPendingMessages(HANDLE worker, std::optional<WPARAM>& quitCode)
{
    MSG message{};
    for (int dispatched = 0; dispatched < kMessagesPerDrain; ++dispatched) {
        if (::WaitForSingleObject(worker, 0) == WAIT_OBJECT_0) {
            return DrainEnd::WorkerEnded;
        }
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
            return DrainEnd::QueueEmpty;
        }
        if (message.message == WM_QUIT) {
            quitCode = message.wParam;
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return DrainEnd::Flooded;
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
        const DrainEnd drained = DispatchPendingMessages(worker.get(), quitCode);
        if (drained == DrainEnd::WorkerEnded) {
            break;
        }
        if (drained == DrainEnd::Flooded) {
            if (::WaitForSingleObject(worker.get(), kFloodPauseMs) != WAIT_TIMEOUT) {
                break;
            }
            continue;  // the messages left over are old ones: drain them, do not wait for new ones
        }
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
