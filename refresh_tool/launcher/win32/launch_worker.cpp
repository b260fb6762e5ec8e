#include "launcher/win32/launch_worker.h"

#include "common/win32/unique_handle.h"
#include "launcher/wait_pacing.h"

#include <windows.h>

#include <process.h>

#include <chrono>
#include <vector>

namespace qv::win32 {
namespace {

unsigned __stdcall LaunchThreadEntry(void* request)
{
    return LaunchThreadProc(static_cast<const LaunchRequest*>(request));
}

using Clock = std::chrono::steady_clock;

// A queue that never empties (a window that posts itself a message whenever it handles one, a
// WM_PAINT that never validates, a thread that keeps posting) would keep a plain drain going
// for ever: a drain ends after this long, and WaitPacing rests the thread in proportion to
// the time it spent awake, so the thread neither misses the worker's end nor spins.
constexpr auto kDrainBudget = std::chrono::milliseconds(1);

constexpr int kQuitsTakenAtTheEnd = 64;

enum class DrainEnd { WorkerEnded, QueueEmpty, Flooded };

// Dispatches the messages waiting for this thread, for any window, until `deadline`, looking
// for the worker's end between them. A WM_QUIT is taken off the queue and dropped: the run has
// no message loop for it to end once the dialog is over, and left in the queue it would close
// every later message box before anyone could read it.
DrainEnd DispatchPendingMessages(HANDLE worker, Clock::time_point deadline)
{
    MSG message{};
    for (;;) {
        if (::WaitForSingleObject(worker, 0) == WAIT_OBJECT_0) {
            return DrainEnd::WorkerEnded;
        }
        if (Clock::now() >= deadline) {
            return DrainEnd::Flooded;
        }
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
            return DrainEnd::QueueEmpty;
        }
        if (message.message != WM_QUIT) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
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
    if (::CreateProcessW(request->application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                         nullptr, request->directory.c_str(), &startup, &created)) {
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
    UniqueHandle worker(
        reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &LaunchThreadEntry, argument, 0, nullptr)));
    if (!worker) {
        // No thread to be had: start and wait on this thread; the windows stall meanwhile.
        LaunchThreadProc(&request);
        return;
    }

    WaitPacing pacing;
    HANDLE waitFor[] = {worker.get()};
    for (;;) {
        // Drain first: the wait below wakes only for messages that arrive after the last look.
        const Clock::time_point awake = Clock::now();
        const DrainEnd drained = DispatchPendingMessages(worker.get(), awake + kDrainBudget);
        if (drained == DrainEnd::WorkerEnded) {
            break;
        }
        const Clock::time_point drainEnd = Clock::now();
        const auto rest = pacing.RestAfter(std::chrono::duration_cast<std::chrono::microseconds>(drainEnd - awake));
        if (rest.count() > 0) {
            // Only the worker's end cuts the rest short.
            if (::WaitForSingleObject(worker.get(), static_cast<DWORD>(rest.count())) != WAIT_TIMEOUT) {
                break;
            }
            pacing.Rested(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - drainEnd));
        }
        if (drained == DrainEnd::Flooded) {
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
    // A quit posted while the worker ran, but not yet reached by a drain (the worker ended
    // first), is taken off too. Bounded: a thread that posts quits for ever cannot hold the run.
    MSG quit{};
    for (int taken = 0; taken < kQuitsTakenAtTheEnd; ++taken) {
        if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) == FALSE) {
            break;
        }
    }
}

}  // namespace qv::win32
