#include "launcher/launch_request.h"

namespace qv {

std::wstring MatlabExecutablePath(const std::wstring& matlabRoot)
{
    return matlabRoot + L"\\bin\\matlab.exe";
}

std::wstring QuoteForMatlabCharLiteral(const std::wstring& text)
{
    std::wstring quoted;
    quoted.reserve(text.size());
    for (const wchar_t c : text) {
        quoted += c;
        if (c == L'\'') {
            quoted += c;
        }
    }
    return quoted;
}

namespace {

// Characters that go in as char(N): the double quote, C0 controls and DEL, and surrogates
// that are not part of a pair.
bool NeedsCharPiece(const std::wstring& text, std::size_t i)
{
    const wchar_t c = text[i];
    if (c == L'"' || c < 0x20 || c == 0x7F) {
        return true;
    }
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    const bool pairedHigh = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    const bool pairedLow = low && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
    return (high && !pairedHigh) || (low && !pairedLow);
}

}  // namespace

std::wstring MatlabCharExpression(const std::wstring& text)
{
    bool anyPiece = false;
    for (std::size_t i = 0; i < text.size() && !anyPiece; ++i) {
        anyPiece = NeedsCharPiece(text, i);
    }
    if (!anyPiece) {
        return L"'" + QuoteForMatlabCharLiteral(text) + L"'";
    }
    std::wstring expression = L"[";
    std::wstring literal;
    const auto addPiece = [&expression](const std::wstring& piece) {
        if (expression.size() > 1) {
            expression += L' ';
        }
        expression += piece;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!NeedsCharPiece(text, i)) {
            literal += text[i];
            continue;
        }
        if (!literal.empty()) {
            addPiece(L"'" + QuoteForMatlabCharLiteral(literal) + L"'");
            literal.clear();
        }
        addPiece(L"char(" + std::to_wstring(static_cast<unsigned>(text[i])) + L")");
    }
    if (!literal.empty()) {
        addPiece(L"'" + QuoteForMatlabCharLiteral(literal) + L"'");
    }
    return expression + L"]";
}

std::wstring BuildRefreshCommandLine(Platform platform, const std::wstring& connectorLocation,
                                     const std::wstring& orxMatlabFolder)
{
    const std::wstring connector = MatlabCharExpression(connectorLocation);
    const wchar_t* const tagPiece = platform == Platform::Bits64 ? L", 'orxpath64', " : L", 'orxpath32', ";
    return L"matlab.exe -automation -wait -r \"try, path( " + connector + L", path); orxRefresh(" + connector +
           tagPiece + MatlabCharExpression(orxMatlabFolder) + L");catch, end;quit force;\"";
}

LaunchRequest BuildRefreshRequest(Platform platform, const std::wstring& matlabRoot,
                                  const std::wstring& connectorLocation, const std::wstring& orxMatlabFolder)
{
    return LaunchRequest{MatlabExecutablePath(matlabRoot),
                         BuildRefreshCommandLine(platform, connectorLocation, orxMatlabFolder),
                         matlabRoot + L"\\bin"};
}

LaunchRequest BuildNewUserSetupRequest(const std::wstring& programFolder)
{
    return LaunchRequest{programFolder + L"\\QvNewUserSetup.exe", L"QvNewUserSetup.exe force", programFolder};
}

std::wstring MatlabMissingMessage(const std::wstring& matlabRoot)
{
    return L"Could not find the matlab.exe at " + MatlabExecutablePath(matlabRoot);
}

}  // namespace qv
