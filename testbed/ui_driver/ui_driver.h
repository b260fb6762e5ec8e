#pragma once
// Finds and works another process's top-level windows the way a person would: reads the
// "Info" message boxes and closes them.
#include <windows.h>

#include <string>
#include <vector>

namespace qv::testbed {

// What a person sees of one message box.
struct MessageBoxView {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // ids of the visible push buttons (IDOK = 1, IDCANCEL = 2, ...)
    bool hasIcon = false;
    bool hasOwner = false;
};

// Top-level windows of a process (all processes when processId is 0) with the given window
// class and caption; either may be null to match any.
std::vector<HWND> FindTopLevelWindows(DWORD processId, const wchar_t* className, const wchar_t* caption);

bool IsMessageBox(HWND window);
MessageBoxView ReadMessageBox(HWND window);
// Presses OK (posted, so that the box's owner is never blocked).
void CloseMessageBox(HWND window);

std::wstring WindowText(HWND window);

}  // namespace qv::testbed
