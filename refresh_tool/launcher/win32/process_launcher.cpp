#include "launcher/win32/process_launcher.h"

#include "launcher/win32/launch_worker.h"

#include <windows.h>

namespace qv::win32 {

bool Win32ProcessLauncher::IsExistingFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32ProcessLauncher::RunAndWait(const LaunchRequest& request)
{
    RunLaunchRequest(request);
}

}  // namespace qv::win32
