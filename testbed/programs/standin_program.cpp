// Stand-in for matlab.exe and QvNewUserSetup.exe (one source, two executables): records how
// it was started in the stand-in log, optionally sleeps first, then exits, or misbehaves on
// request. Configured by the environment variables named in standin_log.h.
#include "own_process.h"
#include "standin_log.h"

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

namespace {

using qv::testbed::CurrentDirectory;
using qv::testbed::EnvironmentValue;
using qv::testbed::OwnPath;
using qv::testbed::StandinRun;

// Lives as long as any stand-in runs; finding it already there means two run at once.
constexpr const wchar_t* kRunningMarkerName = L"Local\\QvStandinProgramRunning";

DWORD EnvironmentNumber(const wchar_t* name)
{
    const std::wstring text = EnvironmentValue(name);
    return text.empty() ? 0 : static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

}  // namespace

int wmain()
{
    const qv::win32::UniqueHandle runningMarker(::CreateMutexW(nullptr, FALSE, kRunningMarkerName));
    StandinRun run;
    run.overlapping = ::GetLastError() == ERROR_ALREADY_EXISTS;
    run.program = OwnPath();
    run.workingDirectory = CurrentDirectory();
    run.commandLine = ::GetCommandLineW();

    if (const DWORD sleepMs = EnvironmentNumber(qv::testbed::kStandinSleepVariable); sleepMs != 0) {
        ::Sleep(sleepMs);
    }
    const std::wstring logPath = EnvironmentValue(qv::testbed::kStandinLogVariable);
    if (!logPath.empty()) {
        qv::testbed::AppendStandinLine(logPath, run);
    }

    if (!EnvironmentValue(qv::testbed::kStandinCrashVariable).empty()) {
        // Ends the process the way a fault does: an unhandled access violation (0xC0000005).
        ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    return static_cast<int>(EnvironmentNumber(qv::testbed::kStandinExitCodeVariable));
}
