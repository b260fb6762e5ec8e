// Measures what waiting for a started program costs the runner: the process's CPU time
// (GetProcessTimes, all threads) over the wait, as a share of one core. Starts the stand-in
// matlab.exe beside this program, told to sleep (default 5000 ms, or the first argument).
//   runner_cpu_benchmark.exe [sleep-ms] [--busy-poll]
// --busy-poll measures, for comparison, a wait that spins on GetExitCodeThread + PeekMessageW.
#include "launcher/win32/launch_worker.h"
#include "process_runner.h"
#include "standin_log.h"
#include "common/win32/unique_handle.h"

#include <windows.h>

#include <process.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

ULONGLONG CpuTime100ns()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto add = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return add(kernel) + add(user);
}

double Seconds()
{
    LARGE_INTEGER frequency{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned __stdcall Worker(void* request)
{
    return qv::win32::LaunchThreadProc(static_cast<const qv::LaunchRequest*>(request));
}

// The spinning wait, for contrast only.
void BusyPollWait(const qv::LaunchRequest& request)
{
    const qv::win32::UniqueHandle worker(reinterpret_cast<HANDLE>(
        ::_beginthreadex(nullptr, 0, &Worker, const_cast<qv::LaunchRequest*>(&request), 0, nullptr)));
    for (;;) {
        DWORD status = 0;
        if (!::GetExitCodeThread(worker.get(), &status) || status != STILL_ACTIVE) {
            return;
        }
        MSG message{};
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    unsigned long sleepMs = 5000;
    bool busyPoll = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--busy-poll") == 0) {
            busyPoll = true;
        } else {
            sleepMs = std::wcstoul(argv[i], nullptr, 10);
        }
    }
    ::SetEnvironmentVariableW(qv::testbed::kStandinSleepVariable, std::to_wstring(sleepMs).c_str());
    ::SetEnvironmentVariableW(qv::testbed::kStandinLogVariable, nullptr);

    const std::wstring folder = qv::testbed::ExecutableDirectory();
    const qv::LaunchRequest request{folder + L"matlab.exe", L"matlab.exe -automation -wait", folder};

    const ULONGLONG cpuBefore = CpuTime100ns();
    const double wallBefore = Seconds();
    if (busyPoll) {
        BusyPollWait(request);
    } else {
        qv::win32::RunLaunchRequest(request);
    }
    const double wall = Seconds() - wallBefore;
    const double cpu = static_cast<double>(CpuTime100ns() - cpuBefore) / 1e7;

    std::printf("runner (%s): stand-in slept %lu ms, wall %.3f s, runner CPU %.3f s = %.2f %% of one core\n",
                busyPoll ? "busy poll" : "message wait", sleepMs, wall, cpu, wall > 0 ? 100.0 * cpu / wall : 0.0);
    return 0;
}
