#pragma once
// The log the stand-in programs append to: one UTF-8 line per run, four tab-separated fields
//   overlap <TAB> program path <TAB> working directory <TAB> command line
// overlap is "alone", or "overlapping" when another stand-in was alive as this one started.
// In every field '%', tab, CR and LF are written as %25, %09, %0D, %0A, so any text survives.
#include <optional>
#include <string>
#include <vector>

namespace qv::testbed {

// Environment variables the stand-ins read (unset: no log, no sleep, exit code 0, no crash).
inline constexpr const wchar_t* kStandinLogVariable = L"QV_STANDIN_LOG";             // log file path
inline constexpr const wchar_t* kStandinSleepVariable = L"QV_STANDIN_SLEEP_MS";      // sleep before logging
inline constexpr const wchar_t* kStandinExitCodeVariable = L"QV_STANDIN_EXIT_CODE";  // decimal exit code
inline constexpr const wchar_t* kStandinCrashVariable =
    L"QV_STANDIN_CRASH";  // non-empty: access violation after logging

struct StandinRun {
    bool overlapping = false;
    std::wstring program;           // GetModuleFileNameW of the stand-in
    std::wstring workingDirectory;  // GetCurrentDirectoryW at start
    std::wstring commandLine;       // GetCommandLineW, exactly as received

    bool operator==(const StandinRun& other) const
    {
        return overlapping == other.overlapping && program == other.program &&
               workingDirectory == other.workingDirectory && commandLine == other.commandLine;
    }
};

// One line, with its terminating line feed.
std::wstring FormatStandinLine(const StandinRun& run);
// One line without its line feed; nothing for a malformed line.
std::optional<StandinRun> ParseStandinLine(const std::wstring& line);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Appends one line in a single write, so lines of concurrent writers do not interleave.
bool AppendStandinLine(const std::wstring& logPath, const StandinRun& run);
// Every well-formed line of the log, in file order; a missing log gives none.
std::vector<StandinRun> ReadStandinLog(const std::wstring& logPath);

}  // namespace qv::testbed
