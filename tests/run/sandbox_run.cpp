#include "sandbox_run.h"

namespace qv::testbed {

void PrintTo(const StandinRun& run, std::ostream* out)
{
    *out << (run.overlapping ? "overlapping " : "") << "program=" << ToUtf8(run.program)
         << " dir=" << ToUtf8(run.workingDirectory) << " cmd=" << ToUtf8(run.commandLine);
}

}  // namespace qv::testbed

namespace qv::e2e {

void SandboxRun::SetUp()
{
    testbed::RemoveSandbox(machine_);
    std::wstring error;
    ASSERT_TRUE(testbed::InstallSandbox(machine_, testbed::ExecutableDirectory(), error)) << error.c_str();
    logPath_ = testbed::TempFolder() + L"qv-e2e-standins.log";
    ::DeleteFileW(logPath_.c_str());
    ::SetEnvironmentVariableW(testbed::kStandinLogVariable, logPath_.c_str());
}

void SandboxRun::TearDown()
{
    ::SetEnvironmentVariableW(testbed::kStandinLogVariable, nullptr);
    ::DeleteFileW(logPath_.c_str());
    testbed::RemoveSandbox(machine_);
}

testbed::ProgramRun SandboxRun::RunSetPath(const std::wstring& arguments, const testbed::RunOptions& options)
{
    return testbed::RunProgram(testbed::ExecutableDirectory() + L"QvMatlabSetPath.exe", arguments, options);
}

std::vector<testbed::StandinRun> SandboxRun::Started() const
{
    return testbed::ReadStandinLog(logPath_);
}

std::vector<std::wstring> Texts(const std::vector<testbed::MessageBoxView>& boxes)
{
    std::vector<std::wstring> texts;
    for (const testbed::MessageBoxView& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

testbed::RunOptions DialogScript::Options()
{
    testbed::RunOptions options;
    options.onPoll = [this](DWORD processId) {
        HWND dialog = done ? nullptr : testbed::FindFolderDialog(processId);
        if (dialog == nullptr) {
            return;
        }
        done = true;
        firstLook = testbed::ReadFolderDialog(dialog);
        if (work) {
            work(dialog);
        }
        end(dialog);
    };
    return options;
}

}  // namespace qv::e2e
