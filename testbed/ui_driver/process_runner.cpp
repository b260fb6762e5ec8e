#include "process_runner.h"

#include <iterator>
#include <set>

namespace qv::testbed {
namespace {

// Owns the two handles CreateProcessW returns.
struct ProcessHandles {
    PROCESS_INFORMATION info{};
    ProcessHandles() = default;
    // A copy would close the handles twice.
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;
    ~ProcessHandles()
    {
        if (info.hThread != nullptr) {
            ::CloseHandle(info.hThread);
        }
        if (info.hProcess != nullptr) {
            ::CloseHandle(info.hProcess);
        }
    }
};

constexpr DWORD kPollMs = 20;

}  // namespace

ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, const RunOptions& options)
{
    ProgramRun run;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ProcessHandles process;
    const wchar_t* directory = options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, &startup,
                          &process.info)) {
        return run;
    }
    run.started = true;

    std::set<HWND> answered;
    const ULONGLONG deadline = ::GetTickCount64() + options.timeoutMs;
    for (;;) {
        // A closed box's handle may be given to the next window; forget the ones that are gone.
        for (auto it = answered.begin(); it != answered.end();) {
            it = ::IsWindow(*it) ? std::next(it) : answered.erase(it);
        }
        for (HWND box : FindTopLevelWindows(process.info.dwProcessId, L"#32770", nullptr)) {
            if (!IsMessageBox(box) || !::IsWindowVisible(box) || answered.count(box) != 0) {
                continue;
            }
            run.infoBoxes.push_back(ReadMessageBox(box));
            if (options.onInfoBox) {
                options.onInfoBox(process.info.dwProcessId, run.infoBoxes.back());
            }
            answered.insert(box);
            if (options.answerInfoBoxes) {
                CloseMessageBox(box);
            }
        }
        if (options.onPoll) {
            options.onPoll(process.info.dwProcessId);
        }
        if (::WaitForSingleObject(process.info.hProcess, kPollMs) == WAIT_OBJECT_0) {
            break;
        }
        if (::GetTickCount64() > deadline) {
            run.timedOut = true;
            ::TerminateProcess(process.info.hProcess, 0xDEAD);
            ::WaitForSingleObject(process.info.hProcess, 5000);
            break;
        }
    }
    ::GetExitCodeProcess(process.info.hProcess, &run.exitCode);
    return run;
}

}  // namespace qv::testbed
