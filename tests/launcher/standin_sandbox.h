#pragma once
// A throwaway folder tree for one test, with copies of the stand-in programs where a test
// wants them, and the stand-in environment variables set for the programs it starts.
// Everything is removed and unset again when the sandbox goes.
#include "standin_log.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::launcher_tests {

class StandinSandbox {
public:
    StandinSandbox();
    ~StandinSandbox();
    StandinSandbox(const StandinSandbox&) = delete;
    StandinSandbox& operator=(const StandinSandbox&) = delete;

    // Full path of a place in the sandbox (no trailing backslash for an empty relative path).
    std::wstring Path(const std::wstring& relative = {}) const;
    void CreateFolder(const std::wstring& relative) const;
    void WriteTextFile(const std::wstring& relative, const std::string& text) const;
    // relative\bin\matlab.exe as a copy of the stand-in; returns the root's full path.
    std::wstring MakeMatlabRoot(const std::wstring& relative) const;
    // relative\QvNewUserSetup.exe as a copy of the stand-in; returns the folder's full path.
    std::wstring MakeSetupFolder(const std::wstring& relative) const;

    void SetSleepMs(DWORD milliseconds) const;
    std::wstring LogPath() const { return Path(L"standin.log"); }
    std::vector<testbed::StandinRun> Runs() const { return testbed::ReadStandinLog(LogPath()); }

private:
    std::wstring root_;
};

// The stand-ins as built, beside the test executable.
std::wstring BuiltStandinMatlab();
std::wstring BuiltStandinSetup();

}  // namespace qv::launcher_tests
