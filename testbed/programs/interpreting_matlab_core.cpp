#include "interpreting_matlab.h"

namespace qv::testbed {

bool ReadRefreshArguments(const std::vector<std::wstring>& arguments, std::wstring& statement)
{
    if (arguments.size() != 5 || arguments[1] != L"-automation" || arguments[2] != L"-wait" || arguments[3] != L"-r") {
        return false;
    }
    statement = arguments[4];
    return true;
}

std::wstring WindowsPathOfUnixPath(const std::wstring& unixPath)
{
    std::wstring path = L"Z:" + unixPath;
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

std::wstring OctaveCommandLine(const std::wstring& runner, unsigned timeoutSeconds, const std::wstring& statementFile,
                               const std::wstring& mPath)
{
    return L"sh \"" + runner + L"\" " + std::to_wstring(timeoutSeconds) + L" \"" + statementFile + L"\" \"" + mPath +
           L"\"";
}

}  // namespace qv::testbed
