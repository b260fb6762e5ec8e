#pragma once
// Reads and works QvMatlabSetPath's folder-selection dialog in another process the way a
// person would, and tells whether its progress window is on screen.
#include "ui_driver.h"

#include <string>
#include <vector>

namespace qv::testbed {

// Control ids of the folder-selection dialog (template 102).
constexpr int kPlatformComboId = 1006;
constexpr int kList32Id = 1005;
constexpr int kList64Id = 1004;
// Caption of both windows and the one line of the progress window.
constexpr const wchar_t* kRefreshCaption = L"Refresh ORX MATLAB Paths";
constexpr const wchar_t* kProgressText = L"Running Refresh Matlab Path Tool...";

struct CheckListItemView {
    std::wstring text;
    bool checked = false;
};

struct CheckListView {
    bool enabled = false;
    std::vector<CheckListItemView> items;  // in list order
};

// What a person sees of the folder-selection dialog.
struct FolderDialogView {
    std::wstring caption;
    std::vector<std::wstring> platformEntries;  // the drop-down's entries, in order
    int platformIndex = -1;                     // the selected entry, -1 for none
    std::wstring platformText;                  // the text of the selected entry
    CheckListView list32;
    CheckListView list64;
};

// The process's visible folder-selection dialog, or null.
HWND FindFolderDialog(DWORD processId);
// The process's progress window (shown or not), or null.
HWND FindProgressWindow(DWORD processId);
bool IsProgressWindowShown(DWORD processId);

FolderDialogView ReadFolderDialog(HWND dialog);
// The check state is drawn from the item's data, where the program's check list keeps it.
CheckListView ReadCheckList(HWND list);

// Picks a drop-down entry as a person would, so that the dialog is told of the change.
// Returns false when there is no such entry.
bool ChoosePlatform(HWND dialog, int index);
bool ChoosePlatform(HWND dialog, const std::wstring& entryText);
// Clicks the check box of item `index` of list `listId`, whether or not that takes effect
// (a disabled list ignores it). Returns false when there is no such item.
bool ClickCheckBox(HWND dialog, int listId, int index);
// Clicks the text of the item, which selects it without toggling it.
bool ClickItemText(HWND dialog, int listId, int index);
// Puts the list's focus on item `index` and presses the space bar.
bool PressSpaceOnItem(HWND dialog, int listId, int index);

// Ways of ending a dialog. Posted, so that the caller is never blocked by what the
// dialog does next (such as a message box).
void PressButton(HWND dialog, int buttonId);
void PressEscape(HWND dialog);
void ClickCloseBox(HWND dialog);

}  // namespace qv::testbed
