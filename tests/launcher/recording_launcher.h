#pragma once
// A process launcher for host tests: answers the file test from a set and records every call.
#include "launcher/matlab_runner.h"

#include <set>
#include <string>
#include <vector>

namespace qv::fakes {

// Every call in order: "exists <path>" and "run <application>".
class RecordingLauncher final : public IProcessLauncher {
public:
    std::set<std::wstring> files;
    std::vector<std::wstring> calls;
    std::vector<LaunchRequest> runs;

    bool IsExistingFile(const std::wstring& path) override
    {
        calls.push_back(L"exists " + path);
        return files.count(path) != 0;
    }
    void RunAndWait(const LaunchRequest& request) override
    {
        calls.push_back(L"run " + request.application);
        runs.push_back(request);
    }
};

}  // namespace qv::fakes
