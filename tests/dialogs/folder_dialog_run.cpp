#include "folder_dialog_run.h"

#include <gtest/gtest.h>

namespace qv::testbed {
namespace {

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

DialogOutcome RunDialog(const std::wstring& arguments, const std::function<void(HWND dialog, DWORD processId)>& work)
{
    DialogOutcome outcome;
    RunOptions options;
    options.timeoutMs = 20000;
    options.onPoll = [&](DWORD processId) {
        if (outcome.sawDialog) {
            return;
        }
        if (HWND dialog = FindFolderDialog(processId)) {
            outcome.sawDialog = true;
            outcome.progressShown = IsProgressWindowShown(processId);
            work(dialog, processId);
        }
    };
    const ProgramRun run = RunProgram(ExecutableDirectory() + L"folder_dialog_host.exe", arguments, options);
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.infoBoxes.size(), 1u);
    if (run.infoBoxes.empty()) {
        return outcome;
    }
    EXPECT_EQ(run.infoBoxes[0].caption, L"Result");
    for (const std::wstring& line : Lines(run.infoBoxes[0].text)) {
        const std::wstring key = line.substr(0, line.find(L'='));
        const std::wstring value = line.substr(line.find(L'=') + 1);
        if (key == L"result") {
            outcome.result = std::stoi(value);
        } else if (key == L"platform") {
            outcome.platform = std::stoi(value);
        } else if (key == L"32") {
            outcome.folders32.push_back(value);
        } else if (key == L"64") {
            outcome.folders64.push_back(value);
        }
    }
    return outcome;
}

DialogOutcome RunDialog(const std::wstring& arguments, const std::function<void(HWND dialog)>& work)
{
    return RunDialog(arguments, [&work](HWND dialog, DWORD) { work(dialog); });
}

}  // namespace qv::testbed
