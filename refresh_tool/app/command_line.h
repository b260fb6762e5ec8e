#pragma once
// The command line of QvMatlabSetPath: its parser and its usage text.
#include "app/refresh_options.h"

#include <string>

namespace qv {

struct ParsedCommandLine {
    RefreshOptions options;
    bool platformConflict = false;  // both "-x86" and "-x64" were given
};

// Parses the command-line text after the program's own name. The text is only read.
ParsedCommandLine ParseCommandLine(const std::wstring& commandLine);

// The 14-line usage text, each line ended by a line feed.
std::wstring BuildUsageText();

// The message shown (with "-d") when both platform switches were given.
inline const wchar_t* const kPlatformConflictMessage = L"Cannot specify both x86 and x64 flags.\n";

}  // namespace qv
