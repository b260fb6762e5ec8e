#pragma once
// What the interpreting matlab.exe stand-in reads from its environment, and the portable
// pieces it is built from.
#include <string>
#include <vector>

namespace qv::testbed {

// Paths on the build machine (Unix paths), since Octave runs there.
inline constexpr const wchar_t* kOctaveRunnerVariable = L"QV_OCTAVE_RUNNER";      // testbed/octave/run-octave.sh
inline constexpr const wchar_t* kOctavePathVariable = L"QV_OCTAVE_PATH";          // M folders, ':'-separated
inline constexpr const wchar_t* kOctaveWorkVariable = L"QV_OCTAVE_WORK";          // folder for statement files
inline constexpr const wchar_t* kOrxRecordVariable = L"QV_ORX_RECORD";            // record file (also Octave's)
inline constexpr const wchar_t* kOctaveTimeoutVariable = L"QV_OCTAVE_TIMEOUT_S";  // default 60
inline constexpr const wchar_t* kUnixShell = L"Z:\\bin\\sh";

// The switches of a refresh start: exactly matlab.exe -automation -wait -r STATEMENT.
// Returns the statement, or nothing when the arguments are not of that form.
bool ReadRefreshArguments(const std::vector<std::wstring>& arguments, std::wstring& statement);

// The Z: path under which a Windows program sees a Unix path.
std::wstring WindowsPathOfUnixPath(const std::wstring& unixPath);

// sh run-octave.sh SECONDS FILE MPATH: octave-cli without start-up files, history or GUI,
// ending only through quit (see run-octave.sh).
std::wstring OctaveCommandLine(const std::wstring& runner, unsigned timeoutSeconds, const std::wstring& statementFile,
                               const std::wstring& mPath);

}  // namespace qv::testbed
