#include "launcher/launch_request.h"

#include "common/absolute_path.h"

namespace qv {
namespace {

// What the requests join to the root or program folder, as they are.
constexpr const wchar_t* kMatlabBinPiece = L"\\bin";
constexpr const wchar_t* kMatlabExecutablePiece = L"\\bin\\matlab.exe";
constexpr const wchar_t* kSetupExecutablePiece = L"\\QvNewUserSetup.exe";

}  // namespace

std::wstring MatlabExecutablePath(const std::wstring& matlabRoot)
{
    return matlabRoot + kMatlabExecutablePiece;
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

bool IsHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// How one character of the text goes into the expression.
enum class PieceKind {
    Literal,   // printable ASCII, inside a '...' literal
    Utf8,      // any other character (a surrogate pair counts as one), as its UTF-8 bytes
    CharCode,  // a double quote, C0 control, DEL or lone surrogate, as char(N)
};

PieceKind KindAt(const std::wstring& text, std::size_t i)
{
    const wchar_t c = text[i];
    if (c == L'"' || c < 0x20 || c == 0x7F) {
        return PieceKind::CharCode;
    }
    if (c < 0x7F) {
        return PieceKind::Literal;
    }
    const bool pairedHigh = IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    const bool pairedLow = IsLowSurrogate(c) && i > 0 && IsHighSurrogate(text[i - 1]);
    if ((IsHighSurrogate(c) && !pairedHigh) || (IsLowSurrogate(c) && !pairedLow)) {
        return PieceKind::CharCode;
    }
    return PieceKind::Utf8;
}

// The UTF-16 unit as a number (wchar_t is signed on some hosts, never negative here).
unsigned CodeUnit(wchar_t c)
{
    return static_cast<unsigned>(c) & 0xFFFFu;
}

// The UTF-8 bytes of text[begin, end), which holds no lone surrogate, as "b1 b2 ...".
std::wstring Utf8ByteList(const std::wstring& text, std::size_t begin, std::size_t end)
{
    std::wstring bytes;
    const auto add = [&bytes](unsigned value) {
        if (!bytes.empty()) {
            bytes += L' ';
        }
        bytes += std::to_wstring(value);
    };
    for (std::size_t i = begin; i < end; ++i) {
        unsigned code = CodeUnit(text[i]);
        if (IsHighSurrogate(text[i])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (CodeUnit(text[++i]) - 0xDC00);
        }
        if (code < 0x800) {
            add(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            add(0xE0 | (code >> 12));
            add(0x80 | ((code >> 6) & 0x3F));
        } else {
            add(0xF0 | (code >> 18));
            add(0x80 | ((code >> 12) & 0x3F));
            add(0x80 | ((code >> 6) & 0x3F));
        }
        add(0x80 | (code & 0x3F));
    }
    return bytes;
}

}  // namespace

std::wstring MatlabCharExpression(const std::wstring& text)
{
    bool onlyLiteral = true;
    for (std::size_t i = 0; i < text.size() && onlyLiteral; ++i) {
        onlyLiteral = KindAt(text, i) == PieceKind::Literal;
    }
    if (onlyLiteral) {
        return L"'" + QuoteForMatlabCharLiteral(text) + L"'";
    }
    std::wstring expression = L"[";
    std::size_t i = 0;
    while (i < text.size()) {
        const PieceKind kind = KindAt(text, i);
        std::size_t end = i + 1;
        while (kind != PieceKind::CharCode && end < text.size() && KindAt(text, end) == kind) {
            ++end;
        }
        if (expression.size() > 1) {
            expression += L' ';
        }
        if (kind == PieceKind::Literal) {
            expression += L"'" + QuoteForMatlabCharLiteral(text.substr(i, end - i)) + L"'";
        } else if (kind == PieceKind::Utf8) {
            expression += L"native2unicode(uint8([" + Utf8ByteList(text, i, end) + L"]),'UTF-8')";
        } else {
            expression += L"char(" + std::to_wstring(CodeUnit(text[i])) + L")";
        }
        i = end;
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
                         matlabRoot + kMatlabBinPiece};
}

LaunchRequest BuildNewUserSetupRequest(const std::wstring& programFolder)
{
    return LaunchRequest{programFolder + kSetupExecutablePiece, L"QvNewUserSetup.exe force", programFolder};
}

bool RefreshRequestPathsAreAbsolute(const std::wstring& matlabRoot)
{
    return IsAbsoluteJoin(matlabRoot, kMatlabExecutablePiece) && IsAbsoluteJoin(matlabRoot, kMatlabBinPiece);
}

bool NewUserSetupRequestPathsAreAbsolute(const std::wstring& programFolder)
{
    return IsAbsoluteJoin(programFolder, kSetupExecutablePiece) && IsAbsoluteJoin(programFolder, L"");
}

bool CommandLineFits(const LaunchRequest& request)
{
    return request.commandLine.size() <= kLongestCommandLine;
}

std::wstring CommandLineTooLongMessage(const LaunchRequest& request)
{
    return L"Could not start " + request.application + L": its command line has " +
           std::to_wstring(request.commandLine.size()) + L" characters, more than Windows takes (" +
           std::to_wstring(kLongestCommandLine) + L").\n";
}

std::wstring MatlabMissingMessage(const std::wstring& matlabRoot)
{
    return L"Could not find the matlab.exe at " + MatlabExecutablePath(matlabRoot);
}

}  // namespace qv
