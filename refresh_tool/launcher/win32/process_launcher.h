#pragma once
// The process launcher of the runner on Windows, and the setup starter wired into the
// pending-setups pass.
#include "launcher/matlab_runner.h"

#include <string>

namespace qv::win32 {

class Win32ProcessLauncher final : public IProcessLauncher {
public:
    bool IsExistingFile(const std::wstring& path) override;  // GetFileAttributesW, directory bit clear
    void RunAndWait(const LaunchRequest& request) override;   // RunLaunchRequest
};

// Starts B\QvNewUserSetup.exe with "QvNewUserSetup.exe force" in B and waits for it;
// does nothing for an empty B.
void StartNewUserSetup(const std::wstring& programFolder);

}  // namespace qv::win32
