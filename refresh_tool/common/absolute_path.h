#pragma once
// Which paths name the same place whatever the current directory and drive are.
#include <string>

namespace qv {

// A drive letter, a colon and a separator ("C:\...", "C:/..."), or a UNC share
// ("\\server\share...") with both server and share non-empty; "\" and "/" count alike, as
// they do for Windows. Relative ("M"), drive-relative ("C:M"), root-relative ("\M") paths
// and the empty path are not absolute: each would resolve against the directory the
// program was started in.
bool IsAbsolutePath(const std::wstring& path);

}  // namespace qv
