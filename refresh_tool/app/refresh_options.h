#pragma once
// The run description that the command line gives (see app/command_line.h).
#include "common/platform.h"

#include <string>

namespace qv {

struct RefreshOptions {
    std::wstring matlabFolder;  // "-orxMatlabPath" with a quoted folder
    bool showList = false;      // "-list"
    // Bits64 only for "-x64" without "-x86".
    PlatformSelection platform = PlatformSelection::Bits32;
    bool showInfo = false;   // "-d"
    bool showUsage = false;  // "/?", or a command line without any token
};

}  // namespace qv
