#pragma once
// Which folders the runner may start a program from.
#include <string>

namespace qv {

// True for a folder that names the same place whatever the current directory and drive are:
// a drive letter followed by a backslash ("C:\..."), or a UNC share ("\\server\share...").
// Relative ("M"), drive-relative ("C:M") and root-relative ("\M") folders are not, nor is
// the empty folder: each would resolve against the directory the program was started in.
bool IsAbsoluteFolder(const std::wstring& folder);

}  // namespace qv
