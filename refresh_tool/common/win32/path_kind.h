#pragma once
// The one file-attribute test of the bindings: what a path names, if anything.
#include <windows.h>

#include <string>

namespace qv::win32 {

enum class PathKind { Missing, File, Directory };

// GetFileAttributesW; a path that cannot be read (missing, no access, malformed) is Missing.
inline PathKind QueryPathKind(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Directory : PathKind::File;
}

}  // namespace qv::win32
