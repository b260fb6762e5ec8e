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

// Whether `base` + `piece`, joined as they are, is absolute with the drive or share named by
// `base` alone: "C:" + "\bin" is "C:\bin", but "\" + "\bin" is "\\bin" and "\\server" + "\bin"
// is share "bin": a network path that only the join made. With an empty piece, IsAbsolutePath.
bool IsAbsoluteJoin(const std::wstring& base, const std::wstring& piece);

}  // namespace qv
