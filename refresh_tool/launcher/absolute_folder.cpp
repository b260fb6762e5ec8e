#include "launcher/absolute_folder.h"

namespace qv {
namespace {

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

bool IsAbsoluteFolder(const std::wstring& folder)
{
    if (folder.size() >= 3 && IsDriveLetter(folder[0]) && folder[1] == L':' && folder[2] == L'\\') {
        return true;
    }
    // "\\" + server + "\" + share: both parts present.
    if (folder.size() < 5 || folder.compare(0, 2, L"\\\\") != 0) {
        return false;
    }
    const std::size_t shareSeparator = folder.find(L'\\', 2);
    return shareSeparator != std::wstring::npos && shareSeparator > 2 && shareSeparator + 1 < folder.size() &&
           folder[shareSeparator + 1] != L'\\';
}

}  // namespace qv
