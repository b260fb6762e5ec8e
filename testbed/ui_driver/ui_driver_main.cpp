// ui_driver: runs a program and reports what a person would see of it.
//   ui_driver.exe run <program> [arguments...]
//       answers each "Info" message box with OK.
//   ui_driver.exe watch -- <program> [arguments...]
//       as run, but leaves the boxes to a person: only reads them.
//   ui_driver.exe folders [action...] -- <program> [arguments...]
//       as run, and once QvMatlabSetPath's folder-selection dialog is on screen, does the
//       actions in order:
//         show                     print what the dialog shows
//         platform <entry|index>   pick a drop-down entry ("32-bit", "64-bit", "All" or 0..2)
//         click <32|64> <item>     click the check box of an item (0 = first)
//         space <32|64> <item>     put the focus on an item and press the space bar
//         wait <ms>                do nothing for a while (prints WAIT first)
//         ok | cancel | esc | close   end the dialog: OK, Cancel, the Esc key, the close box
// Output lines:  INFO <caption>|<text with \n written as \\n>   and last   EXIT <code>
// The folders command adds, when the dialog appears, PROGRESS shown|hidden|absent, and
// for each show: DIALOG, PLATFORM, LIST32/LIST64 and one ITEM32/ITEM64 line per item.
#include "folder_dialog_driver.h"
#include "process_runner.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using namespace qv::testbed;

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
    std::fputws(L"usage: ui_driver.exe run <program> [arguments...]\n"
                L"       ui_driver.exe watch -- <program> [arguments...]\n"
                L"       ui_driver.exe folders [show|platform E|click 32|64 N|space 32|64 N|wait MS|"
                L"ok|cancel|esc|close]... -- <program> [arguments...]\n",
                stderr);
    return 2;
}

// The program's command line from our own arguments. An argument with a space is quoted
// so that it stays one argument, unless it carries its own quotes (as a folder given to
// QvMatlabSetPath's -orxMatlabPath does), which are passed on as they are.
std::wstring JoinArguments(int first, int argc, wchar_t** argv)
{
    std::wstring arguments;
    for (int i = first; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (!arguments.empty()) {
            arguments += L' ';
        }
        const bool quote = argument.find(L' ') != std::wstring::npos && argument.find(L'"') == std::wstring::npos;
        arguments += quote ? L"\"" + argument + L"\"" : argument;
    }
    return arguments;
}

int Report(const ProgramRun& run)
{
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

void PrintList(const wchar_t* name, const CheckListView& list)
{
    std::fwprintf(stdout, L"LIST%ls %ls, %zu items\n", name, list.enabled ? L"enabled" : L"disabled",
                  list.items.size());
    for (size_t i = 0; i < list.items.size(); ++i) {
        const wint_t mark = list.items[i].checked ? L'x' : L' ';  // %lc takes a wint_t
        std::fwprintf(stdout, L"ITEM%ls %zu [%lc] %ls\n", name, i, mark, list.items[i].text.c_str());
    }
}

void PrintDialog(HWND dialog)
{
    const FolderDialogView view = ReadFolderDialog(dialog);
    std::wstring entries;
    for (const std::wstring& entry : view.platformEntries) {
        entries += (entries.empty() ? L"" : L"|") + entry;
    }
    std::fwprintf(stdout, L"DIALOG %ls\n", view.caption.c_str());
    std::fwprintf(stdout, L"PLATFORM %ls (%d of %ls)\n", view.platformText.c_str(), view.platformIndex,
                  entries.c_str());
    PrintList(L"32", view.list32);
    PrintList(L"64", view.list64);
}

int ListId(const std::wstring& platform)
{
    return platform == L"32" ? kList32Id : platform == L"64" ? kList64Id : 0;
}

// Does one action; returns false (after saying why) when it could not be done.
bool DoAction(HWND dialog, const std::vector<std::wstring>& words, size_t& at)
{
    const std::wstring& action = words[at++];
    auto next = [&](std::wstring& value) {
        if (at >= words.size()) {
            return false;
        }
        value = words[at++];
        return true;
    };
    std::wstring a;
    std::wstring b;
    bool done = false;
    if (action == L"show") {
        PrintDialog(dialog);
        return true;
    }
    if (action == L"platform" && next(a)) {
        const bool isIndex = a.size() == 1 && a[0] >= L'0' && a[0] <= L'9';
        done = isIndex ? ChoosePlatform(dialog, a[0] - L'0') : ChoosePlatform(dialog, a);
    } else if ((action == L"click" || action == L"space") && next(a) && next(b)) {
        const int item = static_cast<int>(std::wcstol(b.c_str(), nullptr, 10));
        done = action == L"click" ? ClickCheckBox(dialog, ListId(a), item) : PressSpaceOnItem(dialog, ListId(a), item);
        a += L" " + b;
    } else if (action == L"wait" && next(a)) {
        std::fwprintf(stdout, L"WAIT %ls\n", a.c_str());
        ::Sleep(static_cast<DWORD>(std::wcstoul(a.c_str(), nullptr, 10)));
        return true;
    } else if (action == L"ok" || action == L"cancel") {
        PressButton(dialog, action == L"ok" ? IDOK : IDCANCEL);
        done = true;
    } else if (action == L"esc") {
        PressEscape(dialog);
        done = true;
    } else if (action == L"close") {
        ClickCloseBox(dialog);
        done = true;
    }
    std::fwprintf(stdout, L"%ls %ls %ls\n", done ? L"DONE" : L"FAILED", action.c_str(), a.c_str());
    return done;
}

int RunFolders(int argc, wchar_t** argv)
{
    std::vector<std::wstring> actions;
    int i = 2;
    for (; i < argc && std::wstring(argv[i]) != L"--"; ++i) {
        actions.emplace_back(argv[i]);
    }
    if (i + 1 >= argc) {
        return Usage();
    }
    const std::wstring program = argv[i + 1];
    bool handled = false;
    RunOptions options;
    options.onPoll = [&](DWORD processId) {
        if (handled) {
            return;
        }
        HWND dialog = FindFolderDialog(processId);
        if (dialog == nullptr) {
            return;
        }
        handled = true;
        const bool hasProgress = FindProgressWindow(processId) != nullptr;
        std::fwprintf(stdout, L"PROGRESS %ls\n",
                      !hasProgress                       ? L"absent"
                      : IsProgressWindowShown(processId) ? L"shown"
                                                         : L"hidden");
        for (size_t at = 0; at < actions.size();) {
            if (!DoAction(dialog, actions, at)) {
                break;
            }
        }
    };
    const ProgramRun run = RunProgram(program, JoinArguments(i + 2, argc, argv), options);
    if (run.started && !handled) {
        std::fwprintf(stdout, L"NO-DIALOG\n");
    }
    return Report(run);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 3 && std::wstring(argv[1]) == L"run") {
        return Report(RunProgram(argv[2], JoinArguments(3, argc, argv)));
    }
    if (argc >= 4 && std::wstring(argv[1]) == L"watch" && std::wstring(argv[2]) == L"--") {
        RunOptions options;
        options.answerInfoBoxes = false;
        options.timeoutMs = 24u * 60u * 60u * 1000u;  // a person takes the time they need
        return Report(RunProgram(argv[3], JoinArguments(4, argc, argv), options));
    }
    if (argc >= 4 && std::wstring(argv[1]) == L"folders") {
        return RunFolders(argc, argv);
    }
    return Usage();
}
