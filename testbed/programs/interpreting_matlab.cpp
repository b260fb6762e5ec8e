// Stand-in matlab.exe that reads its command as MATLAB would: it splits its own command line
// with CommandLineToArgvW, checks the switches, and hands the -r statement, unchanged, to a
// real M interpreter (Octave, a Unix program started through its Z: path) in a UTF-8 file.
// It records the start in the stand-in log and, after Octave, one line in the record file:
//   matlab <TAB> quit          the statement ended the interpreter
//   matlab <TAB> no-quit       still running at the time-out: MATLAB would never end
//   matlab <TAB> bad-switches / no-octave
#include "interpreting_matlab.h"
#include "standin_log.h"

#include "win32/unique_handle.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using qv::win32::UniqueHandle;

std::wstring EnvironmentValue(const wchar_t* name)
{
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(length < size ? length : 0);
    return value;
}

std::wstring OwnPath()
{
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

std::wstring CurrentDirectory()
{
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(size, L'\0');
    directory.resize(::GetCurrentDirectoryW(size, directory.data()));
    return directory;
}

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

enum class OctaveEnd { Quit, NoQuit, NotStarted };

// Octave's output goes into a pipe that is drained until every writer has closed it: that
// is when Octave has ended (Wine gives no process handle for a Unix program). Its input is a
// pipe held open until then, so an Octave that did not quit waits for more input; at the
// time-out the input is closed, which ends it.
OctaveEnd RunOctave(const std::wstring& octave, const std::wstring& commandLine, DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
    if (!::CreatePipe(&inRead, &inWrite, &inheritable, 0)) {
        return OctaveEnd::NotStarted;
    }
    UniqueHandle inReadOwner(inRead), inWriteOwner(inWrite);
    if (!::CreatePipe(&outRead, &outWrite, &inheritable, 0)) {
        return OctaveEnd::NotStarted;
    }
    UniqueHandle outReadOwner(outRead), outWriteOwner(outWrite);
    ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = outWrite;
    PROCESS_INFORMATION process{};
    std::wstring buffer = commandLine;
    if (!::CreateProcessW(octave.c_str(), buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process)) {
        return OctaveEnd::NotStarted;
    }
    UniqueHandle processOwner(process.hProcess), threadOwner(process.hThread);
    inReadOwner.reset();
    outWriteOwner.reset();

    bool quit = true;
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(outRead, nullptr, 0, nullptr, &available, nullptr)) {
            break;  // every writer is gone: Octave has ended
        }
        if (available > 0) {
            char chunk[4096];
            DWORD got = 0;
            if (!::ReadFile(outRead, chunk, sizeof(chunk), &got, nullptr)) {
                break;
            }
            std::fwrite(chunk, 1, got, stderr);
            continue;
        }
        if (quit && ::GetTickCount64() > deadline) {
            quit = false;
            inWriteOwner.reset();
        }
        ::Sleep(10);
    }
    return quit ? OctaveEnd::Quit : OctaveEnd::NoQuit;
}

}  // namespace

namespace qv::testbed {

bool ReadRefreshArguments(const std::vector<std::wstring>& arguments, std::wstring& statement)
{
    if (arguments.size() != 5 || arguments[1] != L"-automation" || arguments[2] != L"-wait" ||
        arguments[3] != L"-r") {
        return false;
    }
    statement = arguments[4];
    return true;
}

std::wstring WindowsPathOfUnixPath(const std::wstring& unixPath)
{
    std::wstring path = L"Z:" + unixPath;
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

std::wstring OctaveCommandLine(const std::wstring& mPath, const std::wstring& statementFile)
{
    return L"octave-cli --norc --no-history --no-gui --no-window-system --persist --path \"" + mPath + L"\" \"" +
           statementFile + L"\"";
}

}  // namespace qv::testbed

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
    std::wstring octave = EnvironmentValue(qv::testbed::kOctaveVariable);
    if (octave.empty()) {
        octave = qv::testbed::kDefaultOctave;
    }
    const std::wstring timeoutText = EnvironmentValue(qv::testbed::kOctaveTimeoutVariable);
    const DWORD timeoutMs = timeoutText.empty() ? 60000 : static_cast<DWORD>(std::wcstoul(timeoutText.c_str(), nullptr, 10));
    const std::wstring commandLine =
        qv::testbed::OctaveCommandLine(EnvironmentValue(qv::testbed::kOctavePathVariable), file);
    const DWORD attributes = ::GetFileAttributesW(octave.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        Record(L"no-octave");
        return 4;
    }
    const OctaveEnd end = RunOctave(octave, commandLine, timeoutMs);
    ::DeleteFileW(qv::testbed::WindowsPathOfUnixPath(file).c_str());
    Record(end == OctaveEnd::Quit ? L"quit" : end == OctaveEnd::NoQuit ? L"no-quit" : L"no-octave");
    return end == OctaveEnd::Quit ? 0 : 5;
}
