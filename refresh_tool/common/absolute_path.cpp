#include "common/absolute_path.h"

namespace qv {
namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Length of the non-empty path part that starts at `from`, up to the next separator.
std::size_t PartLength(const std::wstring& path, std::size_t from)
{
    std::size_t end = from;
    while (end < path.size() && !IsSeparator(path[end])) {
        ++end;
    }
    return end - from;
}

// Length of the leading text that names the drive ("C:", a separator follows) or the share
// ("\\server\share"); 0 when the path is not absolute.
std::size_t AnchorLength(const std::wstring& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        return 2;
    }
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) {
        return 0;
    }
    const std::size_t server = PartLength(path, 2);
    const std::size_t shareStart = 2 + server + 1;
    if (server == 0 || shareStart >= path.size()) {
        return 0;
    }
    const std::size_t share = PartLength(path, shareStart);
    return share > 0 ? shareStart + share : 0;
}

}  // namespace

bool IsAbsolutePath(const std::wstring& path)
{
    return AnchorLength(path) > 0;
}

bool IsAbsoluteJoin(const std::wstring& base, const std::wstring& piece)
{
    const std::size_t anchor = AnchorLength(base + piece);
    return anchor > 0 && anchor <= base.size();
}

}  // namespace qv
