// sandbox: lays out (or removes) the demo's sandbox machine in the running Wine prefix.
//   sandbox.exe install | remove   (QV_MATLAB_STANDIN: the matlab.exe to install, see sandbox_machine.h)
#include "own_process.h"
#include "sandbox_machine.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    qv::testbed::SandboxMachine machine = qv::testbed::DemoMachine();
    // QV_MATLAB_STANDIN names the program each root gets as matlab.exe (the demo's choice).
    if (const wchar_t* standIn = _wgetenv(L"QV_MATLAB_STANDIN"); standIn != nullptr && *standIn != L'\0') {
        machine.matlabStandIn = standIn;
    }
    if (command == L"remove") {
        qv::testbed::RemoveSandbox(machine);
        return 0;
    }
    if (command != L"install") {
        std::fputws(L"usage: sandbox.exe install | remove\n", stderr);
        return 2;
    }
    std::wstring error;
    if (!qv::testbed::InstallSandbox(machine, qv::testbed::ExecutableDirectory(), error)) {
        std::fwprintf(stderr, L"sandbox: %ls\n", error.c_str());
        return 1;
    }
    return 0;
}
