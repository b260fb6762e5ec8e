#include "app/command_line.h"

#include <cstddef>
#include <optional>

namespace qv {
namespace {

// One step of the scan: skips every delimiter from pos; the token is the run of
// non-delimiters that follows. pos then moves past the delimiter that ended the token.
std::optional<std::wstring> NextToken(const std::wstring& text, std::size_t& pos, wchar_t delimiter)
{
    while (pos < text.size() && text[pos] == delimiter) {
        ++pos;
    }
    if (pos >= text.size()) {
        return std::nullopt;
    }
    const std::size_t end = text.find(delimiter, pos);
    const std::size_t stop = end == std::wstring::npos ? text.size() : end;
    std::wstring token = text.substr(pos, stop - pos);
    pos = stop == text.size() ? stop : stop + 1;
    return token;
}

// The switches are pure ASCII, so only A to Z are folded.
std::wstring AsciiLower(std::wstring text)
{
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

// The folder is the second double-quote-delimited token of the whole text, wherever the
// switch stands; without one it is empty.
std::wstring QuotedFolder(const std::wstring& commandLine)
{
    std::size_t pos = 0;
    if (!NextToken(commandLine, pos, L'"')) {
        return {};
    }
    return NextToken(commandLine, pos, L'"').value_or(std::wstring());
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::wstring& commandLine)
{
    ParsedCommandLine parsed;
    RefreshOptions& options = parsed.options;
    bool x86 = false;
    bool x64 = false;
    bool folderSwitch = false;
    bool anyToken = false;

    std::size_t pos = 0;
    while (const std::optional<std::wstring> token = NextToken(commandLine, pos, L' ')) {
        anyToken = true;
        const std::wstring word = AsciiLower(*token);
        if (word == L"-orxmatlabpath") {
            folderSwitch = true;
        } else if (word == L"-list") {
            options.showList = true;
        } else if (word == L"-x86") {
            x86 = true;
        } else if (word == L"-x64") {
            x64 = true;
        } else if (word == L"-d") {
            options.showInfo = true;
        } else if (word == L"/?") {
            options.showUsage = true;
        }
    }

    if (!anyToken) {
        options.showUsage = true;
        return parsed;
    }

    // Every "-orxmatlabpath" takes the same folder from the whole text; read it once, so that
    // a line full of repeats costs no more than one.
    if (folderSwitch) {
        options.matlabFolder = QuotedFolder(commandLine);
    }
    parsed.platformConflict = x86 && x64;
    options.platform = (x64 && !x86) ? PlatformSelection::Bits64 : PlatformSelection::Bits32;
    return parsed;
}

namespace {

constexpr std::size_t kDescriptionColumn = 36;

std::wstring OptionLine(const std::wstring& option, const std::wstring& description)
{
    std::wstring line = L"    " + option;
    line.resize(kDescriptionColumn, L' ');
    return line + description;
}

}  // namespace

std::wstring BuildUsageText()
{
    const std::wstring stars(38, L'*');
    const std::wstring continuation(kDescriptionColumn + 4, L' ');
    const std::wstring lines[] = {
        stars,
        L"  Usage:",
        L">QvMatlabSetPath.exe",
        OptionLine(L"-orxMatlabPath [path]", L"Path to orx matlab folder"),
        OptionLine(L"-list", L"A dialog box with a list of all orx matlab folders will appear,"),
        continuation + L"you can then check which ones should be added to the",
        continuation + L"matlab path. The list is generated from registry values.",
        OptionLine(L"-x86", L"Only update x86 versions of matlab"),
        OptionLine(L"-x64", L"Only update x64 versions of matlab"),
        L"    Examples:",
        L"QvMatlabSetPath.exe -list",
        L"QvMatlabSetPath.exe -orxMatlabPath \"C:\\Program Files (x86)\\QVR\\ORX 10\\bin\\Matlab\"",
        L"Note: You must either provide the -orxMatlabPath or use the -list option.",
        stars,
    };
    std::wstring text;
    for (const std::wstring& line : lines) {
        text += line;
        text += L'\n';
    }
    return text;
}

}  // namespace qv
