// sandbox: lays out (or removes) the demo's sandbox machine in the running Wine prefix.
//   sandbox.exe install | remove
#include "sandbox_machine.h"

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const qv::testbed::SandboxMachine machine = qv::testbed::DemoMachine();
    if (command == L"remove") {
        qv::testbed::RemoveSandbox(machine);
        return 0;
    }
    if (command != L"install") {
        std::fputws(L"usage: sandbox.exe install | remove\n", stderr);
        return 2;
    }
    wchar_t path[MAX_PATH] = {};
    const std::wstring self(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    std::wstring error;
    if (!qv::testbed::InstallSandbox(machine, self.substr(0, self.find_last_of(L'\\') + 1), error)) {
        std::fwprintf(stderr, L"sandbox: %ls\n", error.c_str());
        return 1;
    }
    return 0;
}
