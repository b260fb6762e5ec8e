#include "standin_sandbox.h"

#include "process_runner.h"

#include <filesystem>
#include <fstream>

namespace qv::launcher_tests {
namespace {

namespace fs = std::filesystem;

void ClearStandinVariables()
{
    for (const wchar_t* name : {testbed::kStandinLogVariable, testbed::kStandinSleepVariable,
                                testbed::kStandinExitCodeVariable, testbed::kStandinCrashVariable}) {
        ::SetEnvironmentVariableW(name, nullptr);
    }
}

// A fresh folder name per sandbox, with a space and a non-ASCII letter in it, as real
// installation folders have.
std::wstring NewSandboxRoot()
{
    static unsigned counter = 0;
    return testbed::TempFolder() + L"qv launcher \u00e9 " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter);
}

}  // namespace

StandinSandbox::StandinSandbox() : root_(NewSandboxRoot())
{
    fs::remove_all(fs::path(root_));
    fs::create_directories(fs::path(root_));
    ClearStandinVariables();
    ::SetEnvironmentVariableW(testbed::kStandinLogVariable, LogPath().c_str());
}

StandinSandbox::~StandinSandbox()
{
    ClearStandinVariables();
    std::error_code ignored;
    fs::remove_all(fs::path(root_), ignored);
}

std::wstring StandinSandbox::Path(const std::wstring& relative) const
{
    return relative.empty() ? root_ : root_ + L"\\" + relative;
}

void StandinSandbox::CreateFolder(const std::wstring& relative) const
{
    fs::create_directories(fs::path(Path(relative)));
}

void StandinSandbox::WriteTextFile(const std::wstring& relative, const std::string& text) const
{
    const fs::path file(Path(relative));
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::wstring StandinSandbox::MakeMatlabRoot(const std::wstring& relative) const
{
    CreateFolder(relative + L"\\bin");
    fs::copy_file(fs::path(BuiltStandinMatlab()), fs::path(Path(relative + L"\\bin\\matlab.exe")));
    return Path(relative);
}

std::wstring StandinSandbox::MakeSetupFolder(const std::wstring& relative) const
{
    CreateFolder(relative);
    fs::copy_file(fs::path(BuiltStandinSetup()), fs::path(Path(relative + L"\\QvNewUserSetup.exe")));
    return Path(relative);
}

void StandinSandbox::SetSleepMs(DWORD milliseconds) const
{
    ::SetEnvironmentVariableW(testbed::kStandinSleepVariable, std::to_wstring(milliseconds).c_str());
}

std::wstring BuiltStandinMatlab()
{
    return testbed::ExecutableDirectory() + L"matlab.exe";
}

std::wstring BuiltStandinSetup()
{
    return testbed::ExecutableDirectory() + L"QvNewUserSetup.exe";
}

}  // namespace qv::launcher_tests
