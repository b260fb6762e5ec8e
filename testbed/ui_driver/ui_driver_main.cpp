// ui_driver: runs a program and reports, one line each, the "Info" message boxes it showed.
//   ui_driver.exe run <program> [arguments...]
// Output lines:  INFO <caption>|<text with \n written as \\n>   and last   EXIT <code>
#include "process_runner.h"

#include <cstdio>
#include <string>

namespace {

std::wstring Escape(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') {
            out += L"\\n";
        } else if (c == L'\\') {
            out += L"\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

int Usage()
{
    std::fputws(L"usage: ui_driver.exe run <program> [arguments...]\n", stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3 || std::wstring(argv[1]) != L"run") {
        return Usage();
    }
    std::wstring arguments;
    for (int i = 3; i < argc; ++i) {
        if (!arguments.empty()) {
            arguments += L' ';
        }
        arguments += argv[i];
    }
    const qv::testbed::ProgramRun run = qv::testbed::RunProgram(argv[2], arguments);
    if (!run.started) {
        std::fwprintf(stdout, L"NOT-STARTED\n");
        return 1;
    }
    for (const auto& box : run.infoBoxes) {
        std::fwprintf(stdout, L"INFO %ls|%ls\n", box.caption.c_str(), Escape(box.text).c_str());
    }
    std::fwprintf(stdout, L"%ls %lu\n", run.timedOut ? L"TIMEOUT" : L"EXIT", run.exitCode);
    return 0;
}
