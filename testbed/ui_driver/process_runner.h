#pragma once
// Starts a program, answers its "Info" message boxes as a person would (reads each, presses
// OK) and waits for it to end.
#include "own_process.h"
#include "ui_driver.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::testbed {

struct ProgramRun {
    std::vector<MessageBoxView> infoBoxes;  // in the order they appeared
    DWORD exitCode = 0;
    bool started = false;
    bool timedOut = false;  // the program was still running at the deadline and was ended
};

struct RunOptions {
    std::wstring workingDirectory;  // empty: the caller's
    DWORD timeoutMs = 30000;
    // False: the boxes are only read, and a person closes them.
    bool answerInfoBoxes = true;
    // Called on every poll while the program runs, with its process id; lets a caller work
    // other windows (a dialog) between message boxes.
    std::function<void(DWORD processId)> onPoll;
    // Called with each message box after it was read and before it is answered, while
    // everything else the program shows is still as it was.
    std::function<void(DWORD processId, const MessageBoxView& box)> onInfoBox;
};

// program: full path; arguments: the text after the program name.
ProgramRun RunProgram(const std::wstring& program, const std::wstring& arguments, const RunOptions& options = {});

}  // namespace qv::testbed
