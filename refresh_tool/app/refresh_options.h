#pragma once
// The run description that the command line gives, and the parser and usage text.
#include "common/platform.h"

#include <string>

namespace qv {

struct RefreshOptions {
    std::wstring matlabFolder;              // "-orxMatlabPath" with a quoted folder
    bool showList = false;                  // "-list"
    PlatformSelection platform = Platform32;  // Platform64 only for "-x64" without "-x86"
    bool showInfo = false;                  // "-d"
    bool showUsage = false;                 // "/?", or a command line without any token
};

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
