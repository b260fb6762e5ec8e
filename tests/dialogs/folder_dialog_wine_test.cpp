// The folder-selection dialog in its own process, read and worked through the UI driver as
// a person would: what it shows first, what the drop-down enables, what ticks do, and what
// OK, Cancel, Esc and the close box hand back.
#include "folder_dialog_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace qv::testbed;

std::vector<std::wstring> Texts(const CheckListView& list)
{
    std::vector<std::wstring> texts;
    for (const auto& item : list.items) {
        texts.push_back(item.text);
    }
    return texts;
}

std::vector<bool> Checks(const CheckListView& list)
{
    std::vector<bool> checks;
    for (const auto& item : list.items) {
        checks.push_back(item.checked);
    }
    return checks;
}

using Strings = std::vector<std::wstring>;

TEST(FolderDialog, BothListsEmpty)
{
    FolderDialogView view;
    const DialogOutcome outcome = RunDialog(L"-platform 0", [&](HWND dialog) {
        view = ReadFolderDialog(dialog);
        PressButton(dialog, IDOK);
    });
    ASSERT_TRUE(outcome.sawDialog);
    EXPECT_EQ(view.caption, L"Refresh ORX MATLAB Paths");
    EXPECT_EQ(view.platformEntries, (Strings{L"32-bit", L"64-bit", L"All"}));
    EXPECT_EQ(view.platformText, L"64-bit");
    EXPECT_FALSE(view.list32.enabled);
    EXPECT_TRUE(view.list64.enabled);
    EXPECT_TRUE(view.list32.items.empty());
    EXPECT_TRUE(view.list64.items.empty());

    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.platform, 1);  // what was shown, not the 0 the caller asked for
    EXPECT_TRUE(outcome.folders32.empty());
    EXPECT_TRUE(outcome.folders64.empty());
}

TEST(FolderDialog, PlatformAllWith32BitFoldersShows32BitUntilAllIsPicked)
{
    FolderDialogView first;
    FolderDialogView afterAll;
    const DialogOutcome outcome = RunDialog(L"-platform 2 -32 C:\\x86\\A -64 C:\\x64\\B", [&](HWND dialog) {
        first = ReadFolderDialog(dialog);
        ChoosePlatform(dialog, L"All");
        ClickCheckBox(dialog, kList32Id, 0);
        ClickCheckBox(dialog, kList64Id, 0);
        afterAll = ReadFolderDialog(dialog);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(first.platformText, L"32-bit");
    EXPECT_TRUE(first.list32.enabled);
    EXPECT_FALSE(first.list64.enabled);

    EXPECT_EQ(afterAll.platformText, L"All");
    EXPECT_TRUE(afterAll.list32.enabled);
    EXPECT_TRUE(afterAll.list64.enabled);
    EXPECT_EQ(Checks(afterAll.list32), std::vector<bool>{true});
    EXPECT_EQ(Checks(afterAll.list64), std::vector<bool>{true});

    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.platform, 2);
    EXPECT_EQ(outcome.folders32, Strings{L"C:\\x86\\A"});
    EXPECT_EQ(outcome.folders64, Strings{L"C:\\x64\\B"});
}

TEST(FolderDialog, Platform64WithOnly32BitFoldersShows32Bit)
{
    FolderDialogView view;
    const DialogOutcome outcome = RunDialog(L"-platform 1 -32 C:\\A", [&](HWND dialog) {
        view = ReadFolderDialog(dialog);
        ClickCheckBox(dialog, kList32Id, 0);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(view.platformText, L"32-bit");
    EXPECT_TRUE(view.list32.enabled);
    EXPECT_FALSE(view.list64.enabled);
    // The caller refreshes by the platform, so it must name the list that could be ticked.
    EXPECT_EQ(outcome.platform, 0);
    EXPECT_EQ(outcome.folders32, Strings{L"C:\\A"});
}

TEST(FolderDialog, FoldersKeepTheirOrderInAndOut)
{
    FolderDialogView view;
    const DialogOutcome outcome =
        RunDialog(L"-32 C:\\C -32 C:\\A -32 C:\\B -32 C:\\A -64 C:\\Z -64 C:\\Y", [&](HWND dialog) {
            view = ReadFolderDialog(dialog);
            ClickCheckBox(dialog, kList32Id, 3);
            PressSpaceOnItem(dialog, kList32Id, 1);
            ClickCheckBox(dialog, kList32Id, 0);
            ClickCheckBox(dialog, kList32Id, 2);
            PressButton(dialog, IDOK);
        });
    EXPECT_EQ(Texts(view.list32), (Strings{L"C:\\C", L"C:\\A", L"C:\\B", L"C:\\A"}));
    EXPECT_EQ(Texts(view.list64), (Strings{L"C:\\Z", L"C:\\Y"}));
    EXPECT_EQ(Checks(view.list32), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(outcome.folders32, (Strings{L"C:\\C", L"C:\\A", L"C:\\B", L"C:\\A"}));
    EXPECT_TRUE(outcome.folders64.empty());
}

TEST(FolderDialog, BoxClicksAndSpaceToggleTextClicksDoNot)
{
    std::vector<std::vector<bool>> states;
    RunDialog(L"-32 C:\\A -32 C:\\B -32 C:\\C", [&](HWND dialog) {
        auto record = [&] { states.push_back(Checks(ReadFolderDialog(dialog).list32)); };
        ClickCheckBox(dialog, kList32Id, 1);
        record();
        ClickItemText(dialog, kList32Id, 0);
        record();
        PressSpaceOnItem(dialog, kList32Id, 2);
        record();
        PressSpaceOnItem(dialog, kList32Id, 2);
        ClickCheckBox(dialog, kList32Id, 1);
        record();
        PressButton(dialog, IDCANCEL);
    });
    const std::vector<std::vector<bool>> expected = {
        {false, true, false}, {false, true, false}, {false, true, true}, {false, false, false}};
    EXPECT_EQ(states, expected);
}

TEST(FolderDialog, TickInAListThatWasThenDisabledIsStillReturned)
{
    FolderDialogView disabled;
    const DialogOutcome outcome = RunDialog(L"-platform 0 -32 C:\\A -64 C:\\B -64 C:\\C", [&](HWND dialog) {
        ChoosePlatform(dialog, L"All");
        ClickCheckBox(dialog, kList64Id, 0);
        ChoosePlatform(dialog, L"32-bit");
        // A disabled list takes no ticks, by mouse or by key.
        ClickCheckBox(dialog, kList64Id, 1);
        PressSpaceOnItem(dialog, kList64Id, 1);
        ClickCheckBox(dialog, kList64Id, 0);
        disabled = ReadFolderDialog(dialog);
        PressButton(dialog, IDOK);
    });
    EXPECT_FALSE(disabled.list64.enabled);
    EXPECT_EQ(Checks(disabled.list64), (std::vector<bool>{true, false}));
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.platform, 0);
    EXPECT_TRUE(outcome.folders32.empty());
    EXPECT_EQ(outcome.folders64, Strings{L"C:\\B"});
}

TEST(FolderDialog, OkWithNothingTickedReturnsEmptyArrays)
{
    const DialogOutcome outcome =
        RunDialog(L"-platform 1 -32 C:\\A -64 C:\\B", [&](HWND dialog) { PressButton(dialog, IDOK); });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.platform, 1);
    EXPECT_TRUE(outcome.folders32.empty());
    EXPECT_TRUE(outcome.folders64.empty());
}

struct CancelWay {
    const char* name;
    std::function<void(HWND)> end;
};

void PrintTo(const CancelWay& way, std::ostream* os)
{
    *os << way.name;
}

class FolderDialogCancel : public testing::TestWithParam<CancelWay> {};

TEST_P(FolderDialogCancel, EndsWithCancelAndCollectsNothing)
{
    const DialogOutcome outcome = RunDialog(L"-platform 0 -32 C:\\A -32 C:\\B", [&](HWND dialog) {
        ClickCheckBox(dialog, kList32Id, 1);
        GetParam().end(dialog);
    });
    ASSERT_TRUE(outcome.sawDialog);
    EXPECT_EQ(outcome.result, IDCANCEL);
    // The arrays still hold what was handed in, not the ticked folder.
    EXPECT_EQ(outcome.folders32, (Strings{L"C:\\A", L"C:\\B"}));
}

INSTANTIATE_TEST_SUITE_P(Ways, FolderDialogCancel,
                         testing::Values(CancelWay{"CancelButton", [](HWND d) { PressButton(d, IDCANCEL); }},
                                         CancelWay{"EscKey", [](HWND d) { PressEscape(d); }},
                                         CancelWay{"CloseBox", [](HWND d) { ClickCloseBox(d); }}),
                         [](const testing::TestParamInfo<CancelWay>& param) { return std::string(param.param.name); });

TEST(FolderDialog, ProgressWindowStaysOnScreenBehindIt)
{
    const DialogOutcome outcome = RunDialog(L"-progress -32 C:\\A", [&](HWND dialog) { PressButton(dialog, IDOK); });
    EXPECT_TRUE(outcome.sawDialog);
    EXPECT_TRUE(outcome.progressShown);
}

TEST(FolderDialog, ProgramShowsItBehindTheProgressWindowAndReportsCancel)
{
    // The real program in list mode, on a machine with no ORX folders registered.
    bool sawDialog = false;
    bool progressWithDialog = false;
    std::vector<bool> progressAtBox;
    RunOptions options;
    options.onPoll = [&](DWORD processId) {
        if (HWND dialog = sawDialog ? nullptr : FindFolderDialog(processId)) {
            sawDialog = true;
            progressWithDialog = IsProgressWindowShown(processId);
            PressEscape(dialog);
        }
    };
    options.onInfoBox = [&](DWORD processId, const MessageBoxView&) {
        progressAtBox.push_back(IsProgressWindowShown(processId));
    };
    const ProgramRun run = RunProgram(ExecutableDirectory() + L"QvMatlabSetPath.exe", L"-list -d", options);
    EXPECT_FALSE(run.timedOut);
    EXPECT_TRUE(sawDialog);
    EXPECT_TRUE(progressWithDialog);
    ASSERT_FALSE(run.infoBoxes.empty());
    EXPECT_EQ(run.infoBoxes.back().text, L"dialog was cancelled.");
    EXPECT_EQ(progressAtBox.back(), true);
}

}  // namespace
