// Measures what the runner adds to one launch: the time from RunLaunchRequest to its return
// against a bare CreateProcessW + WaitForSingleObject of the same program on the calling
// thread, both starting the stand-in matlab.exe beside this program, which ends at once.
// The two are run in turns (so that drift in Wine's speed hits both alike), many times; the
// figures are the medians.
//   launch_overhead_benchmark.exe [launches, default 60]
#include "launcher/win32/launch_worker.h"
#include "process_runner.h"
#include "standin_log.h"
#include "common/win32/unique_handle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Seconds()
{
    LARGE_INTEGER frequency{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The same start-up settings as the runner's worker, without the worker.
void BareLaunch(const qv::LaunchRequest& request)
{
    std::wstring commandLine = request.commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(request.application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                         nullptr, request.directory.c_str(), &startup, &process)) {
        const qv::win32::UniqueHandle processHandle(process.hProcess);
        const qv::win32::UniqueHandle threadHandle(process.hThread);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
}

template <class Launch> double TimeOne(Launch launch)
{
    const double start = Seconds();
    launch();
    return Seconds() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const unsigned long launches = argc > 1 ? std::max(1ul, std::wcstoul(argv[1], nullptr, 10)) : 60ul;
    ::SetEnvironmentVariableW(qv::testbed::kStandinSleepVariable, nullptr);
    ::SetEnvironmentVariableW(qv::testbed::kStandinLogVariable, nullptr);

    const std::wstring folder = qv::testbed::ExecutableDirectory();
    const qv::LaunchRequest request{folder + L"matlab.exe", L"matlab.exe -automation -wait", folder};

    // One of each first, unmeasured: the first start of a program under Wine is slower.
    BareLaunch(request);
    qv::win32::RunLaunchRequest(request);

    std::vector<double> bare, runner;
    for (unsigned long i = 0; i < launches; ++i) {
        if (i % 2) {
            bare.push_back(TimeOne([&] { BareLaunch(request); }));
            runner.push_back(TimeOne([&] { qv::win32::RunLaunchRequest(request); }));
        } else {
            runner.push_back(TimeOne([&] { qv::win32::RunLaunchRequest(request); }));
            bare.push_back(TimeOne([&] { BareLaunch(request); }));
        }
    }
    const double bareMedian = Median(bare);
    const double runnerMedian = Median(runner);
    std::printf("launches: %lu of each, stand-in matlab.exe that ends at once\n", launches);
    std::printf("bare CreateProcessW + WaitForSingleObject: median %.2f ms (min %.2f, max %.2f)\n", 1e3 * bareMedian,
                1e3 * *std::min_element(bare.begin(), bare.end()), 1e3 * *std::max_element(bare.begin(), bare.end()));
    std::printf("RunLaunchRequest (worker thread, message wait): median %.2f ms (min %.2f, max %.2f)\n",
                1e3 * runnerMedian, 1e3 * *std::min_element(runner.begin(), runner.end()),
                1e3 * *std::max_element(runner.begin(), runner.end()));
    std::printf("ratio of medians: %.3f (target at most 1.2)\n", runnerMedian / bareMedian);
    return 0;
}
