// Measures what waiting for a started program costs the runner: the CPU time of the waiting
// thread (GetThreadTimes) and of the process (GetProcessTimes, all threads) over the wait, as a
// share of one core. Starts the stand-in matlab.exe beside this program, told to sleep
// (default 5000 ms, or the first argument).
//   runner_cpu_benchmark.exe [sleep-ms] [--busy-poll] [--flood=self-posting|paint|thread]
// --busy-poll measures, for comparison, a wait that spins on GetExitCodeThread + PeekMessageW.
// --flood creates a stand-in connector on this thread (registered in the prefix for the run)
// that floods this thread's queue once the stand-in MATLAB has started.
#include "launcher/win32/launch_worker.h"
#include "process_runner.h"
#include "stand_in_registration.h"
#include "standin_log.h"
#include "common/win32/com_ptr.h"
#include "common/win32/unique_handle.h"

#include <windows.h>

#include <process.h>

#include <cstdio>
#include <cwchar>
#include <utility>
#include <string>

namespace {

ULONGLONG Ticks(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

ULONGLONG ProcessCpu100ns()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    return Ticks(kernel) + Ticks(user);
}

ULONGLONG ThreadCpu100ns()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &creation, &exit, &kernel, &user);
    return Ticks(kernel) + Ticks(user);
}

bool ParseFlood(const std::wstring& name, qv::testbed::QueueAbuse& flood)
{
    using qv::testbed::QueueAbuse;
    for (const auto& [text, value] :
         {std::pair{L"self-posting", QueueAbuse::FloodSelfPosting}, std::pair{L"paint", QueueAbuse::FloodPaint},
          std::pair{L"thread", QueueAbuse::FloodFromThread}}) {
        if (name == text) {
            flood = value;
            return true;
        }
    }
    return false;
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
    std::wstring floodName = L"none";
    qv::testbed::QueueAbuse flood = qv::testbed::QueueAbuse::None;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--busy-poll") {
            busyPoll = true;
        } else if (argument.rfind(L"--flood=", 0) == 0) {
            floodName = argument.substr(8);
            if (!ParseFlood(floodName, flood)) {
                std::fprintf(stderr, "unknown flood %ls\n", floodName.c_str());
                return 2;
            }
        } else {
            sleepMs = std::wcstoul(argv[i], nullptr, 10);
        }
    }
    ::SetEnvironmentVariableW(qv::testbed::kStandinSleepVariable, std::to_wstring(sleepMs).c_str());
    ::SetEnvironmentVariableW(qv::testbed::kStandinLogVariable, nullptr);

    const std::wstring folder = qv::testbed::ExecutableDirectory();
    const qv::LaunchRequest request{folder + L"matlab.exe", L"matlab.exe -automation -wait", folder};

    qv::testbed::StandInConnector connector;
    connector.classId = qv::testbed::StandInClassId(90);
    connector.onProcessStart = flood;
    qv::win32::ComPtr<IUnknown> flooding;
    if (flood != qv::testbed::QueueAbuse::None) {
        if (FAILED(::CoInitialize(nullptr)) ||
            !qv::testbed::RegisterStandInConnector(connector, folder + L"QvStandInConnector.dll") ||
            FAILED(::CoCreateInstance(connector.classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      flooding.put_void()))) {
            std::fprintf(stderr, "could not create the flooding stand-in connector\n");
            return 1;
        }
    }

    const ULONGLONG processBefore = ProcessCpu100ns();
    const ULONGLONG threadBefore = ThreadCpu100ns();
    const double wallBefore = Seconds();
    if (busyPoll) {
        BusyPollWait(request);
    } else {
        qv::win32::RunLaunchRequest(request);
    }
    const double wall = Seconds() - wallBefore;
    const double threadCpu = static_cast<double>(ThreadCpu100ns() - threadBefore) / 1e7;
    const double processCpu = static_cast<double>(ProcessCpu100ns() - processBefore) / 1e7;
    const auto share = [wall](double cpu) { return wall > 0 ? cpu / wall : 0.0; };

    std::printf("runner (%s, flood %ls): stand-in slept %lu ms, wall %.3f s, waiting thread CPU %.3f s = %.3f core, "
                "process CPU %.3f s = %.3f core\n",
                busyPoll ? "busy poll" : "message wait", floodName.c_str(), sleepMs, wall, threadCpu, share(threadCpu),
                processCpu, share(processCpu));
    std::fflush(stdout);
    if (flood != qv::testbed::QueueAbuse::None) {
        qv::testbed::UnregisterStandInConnector(connector.classId);
    }
    return 0;
}
