// Stand-in matlab.exe that reads its command as MATLAB would: it splits its own command line
// with CommandLineToArgvW, checks the switches, and hands the -r statement, unchanged, to a
// real M interpreter (Octave, a Unix program, started through Z:\\bin\\sh) in a UTF-8 file.
// It records the start in the stand-in log and, after Octave, one line in the record file:
//   matlab <TAB> quit          the statement ended the interpreter
//   matlab <TAB> no-quit       still running at the time-out: MATLAB would never end
//   matlab <TAB> bad-switches / no-work-folder / octave-status N (127: no octave-cli)
#include "interpreting_matlab.h"
#include "own_process.h"
#include "standin_log.h"

#include "common/win32/unique_handle.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using qv::testbed::CurrentDirectory;
using qv::testbed::EnvironmentValue;
using qv::testbed::OwnPath;
using qv::win32::UniqueHandle;

std::vector<std::wstring> OwnArguments()
{
    int count = 0;
    wchar_t** const argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 0; argv != nullptr && i < count; ++i) {
        arguments.emplace_back(argv[i]);
    }
    ::LocalFree(argv);
    return arguments;
}

// Appends one line to the record file, after Octave has ended (so never at the same time).
void Record(const std::wstring& line)
{
    const std::wstring file = EnvironmentValue(qv::testbed::kOrxRecordVariable);
    if (file.empty()) {
        return;
    }
    std::ofstream out(std::filesystem::path(qv::testbed::WindowsPathOfUnixPath(file)),
                      std::ios::binary | std::ios::app);
    out << qv::testbed::ToUtf8(L"matlab\t" + line + L"\n");
}

std::string ReadFileText(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts run-octave.sh through the Unix shell and waits for the file with Octave's exit
// status; empty when the shell could not be started.
std::wstring RunOctave(const std::wstring& shell, const std::wstring& commandLine, const std::wstring& endFile)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring buffer = commandLine;
    if (!::CreateProcessW(shell.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process)) {
        return {};
    }
    const UniqueHandle processOwner(process.hProcess), threadOwner(process.hThread);
    while (::GetFileAttributesW(endFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ::Sleep(20);
    }
    std::string status = ReadFileText(endFile);
    while (!status.empty() && (status.back() == '\n' || status.back() == '\r')) {
        status.pop_back();
    }
    return qv::testbed::FromUtf8(status);
}

}  // namespace

int wmain()
{
    qv::testbed::StandinRun run;
    run.program = OwnPath();
    run.workingDirectory = CurrentDirectory();
    run.commandLine = ::GetCommandLineW();
    const std::wstring logPath = EnvironmentValue(qv::testbed::kStandinLogVariable);
    if (!logPath.empty()) {
        qv::testbed::AppendStandinLine(logPath, run);
    }

    std::wstring statement;
    if (!qv::testbed::ReadRefreshArguments(OwnArguments(), statement)) {
        Record(L"bad-switches");
        return 2;
    }
    // One file per process, named so that it shadows no M function.
    const std::wstring work = EnvironmentValue(qv::testbed::kOctaveWorkVariable);
    const std::wstring file = work + L"/qv_statement_" + std::to_wstring(::GetCurrentProcessId()) + L".m";
    {
        std::ofstream out(std::filesystem::path(qv::testbed::WindowsPathOfUnixPath(file)), std::ios::binary);
        out << qv::testbed::ToUtf8(statement) << '\n';
        if (!out) {
            Record(L"no-work-folder");
            return 3;
        }
    }
    const std::wstring timeoutText = EnvironmentValue(qv::testbed::kOctaveTimeoutVariable);
    const unsigned timeoutSeconds =
        timeoutText.empty() ? 60 : static_cast<unsigned>(std::wcstoul(timeoutText.c_str(), nullptr, 10));
    const std::wstring commandLine =
        qv::testbed::OctaveCommandLine(EnvironmentValue(qv::testbed::kOctaveRunnerVariable), timeoutSeconds, file,
                                       EnvironmentValue(qv::testbed::kOctavePathVariable));
    const std::wstring status =
        RunOctave(qv::testbed::kUnixShell, commandLine, qv::testbed::WindowsPathOfUnixPath(file + L".end"));
    for (const wchar_t* suffix : {L"", L".out", L".end"}) {
        ::DeleteFileW(qv::testbed::WindowsPathOfUnixPath(file + suffix).c_str());
    }
    // 0: the statement ran quit; 137: killed at the time-out, as a MATLAB that never ends.
    Record(status == L"0" ? L"quit" : status == L"137" ? L"no-quit" : L"octave-status " + status);
    return status == L"0" ? 0 : 5;
}
