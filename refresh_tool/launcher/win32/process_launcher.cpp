#include "launcher/win32/process_launcher.h"

#include "common/win32/path_kind.h"
#include "launcher/win32/launch_worker.h"

namespace qv::win32 {

bool Win32ProcessLauncher::IsExistingFile(const std::wstring& path)
{
    return QueryPathKind(path) == PathKind::File;
}

void Win32ProcessLauncher::RunAndWait(const LaunchRequest& request)
{
    RunLaunchRequest(request);
}

}  // namespace qv::win32
