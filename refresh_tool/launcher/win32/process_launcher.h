#pragma once
// The process launcher of the runner and of the setup pass on Windows.
#include "launcher/matlab_runner.h"

#include <string>

namespace qv::win32 {

class Win32ProcessLauncher final : public IProcessLauncher {
public:
    bool IsExistingFile(const std::wstring& path) override;  // QueryPathKind: a file
    void RunAndWait(const LaunchRequest& request) override;  // RunLaunchRequest
};

}  // namespace qv::win32
