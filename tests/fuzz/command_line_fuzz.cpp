// ParseCommandLine on arbitrary wide text (the input read as UTF-16LE units). The parser's
// results are checked against a plain reading of the text written independently of it: pieces
// between spaces are the tokens, pieces between double quotes give the folder.
#include "app/command_line.h"
#include "fuzz_target.h"

#include <algorithm>

namespace {

using qv::ParsedCommandLine;

// The non-empty pieces of text between delimiters.
std::vector<std::wstring> Pieces(const std::wstring& text, wchar_t delimiter)
{
    std::vector<std::wstring> pieces(1);
    for (const wchar_t c : text) {
        if (c != delimiter) {
            pieces.back() += c;
        } else if (!pieces.back().empty()) {
            pieces.emplace_back();
        }
    }
    if (pieces.back().empty()) {
        pieces.pop_back();
    }
    return pieces;
}

std::wstring AsciiCase(std::wstring text, wchar_t first, wchar_t last, int shift)
{
    for (wchar_t& c : text) {
        if (c >= first && c <= last) {
            c = static_cast<wchar_t>(c + shift);
        }
    }
    return text;
}

std::wstring AsciiLower(const std::wstring& text)
{
    return AsciiCase(text, L'A', L'Z', L'a' - L'A');
}
std::wstring AsciiUpper(const std::wstring& text)
{
    return AsciiCase(text, L'a', L'z', L'A' - L'a');
}

bool SameFlags(const ParsedCommandLine& a, const ParsedCommandLine& b)
{
    return a.platformConflict == b.platformConflict && a.options.showList == b.options.showList &&
           a.options.platform == b.options.platform && a.options.showInfo == b.options.showInfo &&
           a.options.showUsage == b.options.showUsage;
}

void CheckAgainstPlainReading(const std::wstring& text, const ParsedCommandLine& parsed)
{
    const qv::RefreshOptions& options = parsed.options;
    std::vector<std::wstring> tokens = Pieces(text, L' ');
    for (std::wstring& token : tokens) {
        token = AsciiLower(token);
    }
    const auto given = [&tokens](const wchar_t* name) {
        return std::find(tokens.begin(), tokens.end(), name) != tokens.end();
    };

    if (tokens.empty()) {
        // Nothing but spaces: the usage text, and nothing else set.
        QV_FUZZ_CHECK(options.showUsage);
        QV_FUZZ_CHECK(!options.showList && !options.showInfo && !parsed.platformConflict);
        QV_FUZZ_CHECK(options.matlabFolder.empty());
        QV_FUZZ_CHECK(options.platform == qv::PlatformSelection::Bits32);
        return;
    }
    QV_FUZZ_CHECK(options.showUsage == given(L"/?"));
    QV_FUZZ_CHECK(options.showList == given(L"-list"));
    QV_FUZZ_CHECK(options.showInfo == given(L"-d"));
    QV_FUZZ_CHECK(parsed.platformConflict == (given(L"-x86") && given(L"-x64")));
    const bool only64 = given(L"-x64") && !given(L"-x86");
    QV_FUZZ_CHECK(options.platform == (only64 ? qv::PlatformSelection::Bits64 : qv::PlatformSelection::Bits32));

    // The folder is cut out of the text as it stands: never invented, never re-cased, never
    // carrying a quote, and only there when the folder switch was given.
    QV_FUZZ_CHECK(text.find(options.matlabFolder) != std::wstring::npos);
    QV_FUZZ_CHECK(options.matlabFolder.find(L'"') == std::wstring::npos);
    if (!given(L"-orxmatlabpath")) {
        QV_FUZZ_CHECK(options.matlabFolder.empty());
    } else {
        const std::vector<std::wstring> quoted = Pieces(text, L'"');
        QV_FUZZ_CHECK(options.matlabFolder == (quoted.size() >= 2 ? quoted[1] : std::wstring()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring text = input.TakeRestAsWideText();

    const ParsedCommandLine parsed = qv::ParseCommandLine(text);
    CheckAgainstPlainReading(text, parsed);

    // The parser keeps no state between calls.
    const ParsedCommandLine again = qv::ParseCommandLine(text);
    QV_FUZZ_CHECK(SameFlags(parsed, again) && again.options.matlabFolder == parsed.options.matlabFolder);

    // Switches match in any letter case; the folder keeps the case it was given in.
    const ParsedCommandLine shouted = qv::ParseCommandLine(AsciiUpper(text));
    QV_FUZZ_CHECK(SameFlags(parsed, shouted));
    QV_FUZZ_CHECK(shouted.options.matlabFolder == AsciiUpper(parsed.options.matlabFolder));
    return 0;
}
