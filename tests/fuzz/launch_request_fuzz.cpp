// The refresh and setup requests on arbitrary UTF-16 folders (NULs, controls, double quotes
// and lone surrogates included). The command line is split as matlab.exe's runtime splits it,
// and its statement read back as MATLAB parses it: each expression must hold exactly the text
// put into it, and the rest must be the fixed statement, whatever the folders are.
#include "../launcher/windows_argv.h"
#include "fuzz_target.h"
#include "launcher/launch_request.h"

#include <algorithm>
#include <vector>

namespace {

const std::wstring kPrefix = L"matlab.exe -automation -wait -r \"";

// Reads the refresh statement the way MATLAB parses it, for the only forms the builder may
// produce: a char literal '...' (two quotes stand for one; a line break or a double quote
// inside would break the statement or the argument) or [piece piece ...] of such literals,
// char(N) and native2unicode(uint8([b b ...]),'UTF-8') with well-formed UTF-8 bytes of
// characters outside ASCII. Between the expressions the statement must be the fixed text,
// character for character.
class StatementReader {
public:
    explicit StatementReader(const std::wstring& text) : text_(text) {}

    bool Expect(const std::wstring& fixed)
    {
        if (text_.compare(pos_, fixed.size(), fixed) != 0) {
            return false;
        }
        pos_ += fixed.size();
        return true;
    }

    bool Expression(std::wstring& value)
    {
        if (Peek() == L'\'') {
            return Literal(value);
        }
        if (!Expect(L"[")) {
            return false;
        }
        for (bool first = true; Peek() != L']'; first = false) {
            if ((!first && !Expect(L" ")) || !Piece(value)) {
                return false;
            }
        }
        ++pos_;
        return true;
    }

    bool AtEnd() const { return pos_ == text_.size(); }

private:
    wchar_t Peek() const { return pos_ < text_.size() ? text_[pos_] : L'\0'; }

    bool Literal(std::wstring& value)
    {
        ++pos_;
        while (pos_ < text_.size()) {
            const wchar_t c = text_[pos_++];
            if (c == L'\'') {
                if (Peek() != L'\'') {
                    return true;
                }
                ++pos_;
            } else if (c == L'\r' || c == L'\n' || c == L'"' || c == L'\0') {
                return false;
            }
            value += c;
        }
        return false;
    }

    bool Piece(std::wstring& value)
    {
        if (Peek() == L'\'') {
            return Literal(value);
        }
        if (Expect(L"native2unicode(uint8([")) {
            return Utf8Bytes(value) && Expect(L"]),'UTF-8')");
        }
        unsigned long code = 0;
        if (!Expect(L"char(") || !Number(code) || code > 0xFFFF || !Expect(L")")) {
            return false;
        }
        value += static_cast<wchar_t>(code);
        return true;
    }

    bool Number(unsigned long& number)
    {
        number = 0;
        std::size_t digits = 0;
        for (; pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9' && digits < 6; ++pos_, ++digits) {
            number = number * 10 + static_cast<unsigned long>(text_[pos_] - L'0');
        }
        return digits != 0;
    }

    // Space-separated bytes, decoded as UTF-8 that holds only characters outside ASCII, in
    // their shortest form, no surrogate among them.
    bool Utf8Bytes(std::wstring& value)
    {
        std::vector<unsigned long> bytes;
        for (unsigned long byte = 0; Peek() != L']'; bytes.push_back(byte)) {
            if ((!bytes.empty() && !Expect(L" ")) || !Number(byte) || byte > 0xFF) {
                return false;
            }
        }
        if (bytes.empty()) {
            return false;
        }
        for (std::size_t i = 0; i < bytes.size();) {
            const unsigned long lead = bytes[i];
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
            if (length == 0 || lead > 0xF4 || i + length > bytes.size()) {
                return false;
            }
            unsigned long code = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k) {
                if ((bytes[i + k] & 0xC0) != 0x80) {
                    return false;
                }
                code = (code << 6) | (bytes[i + k] & 0x3F);
            }
            const unsigned long shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
            if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                return false;
            }
            if (code >= 0x10000) {
                value += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
                value += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
            } else {
                value += static_cast<wchar_t>(code);
            }
            i += length;
        }
        return true;
    }

    const std::wstring& text_;
    std::size_t pos_ = 0;
};

void CheckRefreshCommand(qv::Platform platform, const std::wstring& location, const std::wstring& folder)
{
    const std::wstring command = qv::BuildRefreshCommandLine(platform, location, folder);
    QV_FUZZ_CHECK(command.compare(0, kPrefix.size(), kPrefix) == 0);
    QV_FUZZ_CHECK(command.find(L'\0') == std::wstring::npos);
    // Pure ASCII: MATLAB before 9.8 reads the statement in the ANSI code page.
    QV_FUZZ_CHECK(std::all_of(command.begin(), command.end(), [](wchar_t c) { return c < 0x80; }));

    // matlab.exe's runtime sees exactly four switches, the statement being the last.
    const std::vector<std::wstring> argv = qv::testing::SplitWindowsCommandLine(command);
    QV_FUZZ_CHECK(argv.size() == 5);
    QV_FUZZ_CHECK(argv[0] == L"matlab.exe" && argv[1] == L"-automation" && argv[2] == L"-wait" && argv[3] == L"-r");
    QV_FUZZ_CHECK(command == kPrefix + argv[4] + L"\"");

    StatementReader read(argv[4]);
    std::wstring pathArgument, connector, tag, orxFolder;
    QV_FUZZ_CHECK(read.Expect(L"try, path( ") && read.Expression(pathArgument));
    QV_FUZZ_CHECK(read.Expect(L", path); orxRefresh(") && read.Expression(connector));
    QV_FUZZ_CHECK(read.Expect(L", ") && read.Expression(tag));
    QV_FUZZ_CHECK(read.Expect(L", ") && read.Expression(orxFolder));
    QV_FUZZ_CHECK(read.Expect(L");catch, end;quit force;") && read.AtEnd());
    QV_FUZZ_CHECK(pathArgument == location && connector == location && orxFolder == folder);
    QV_FUZZ_CHECK(tag == (platform == qv::Platform::Bits32 ? L"orxpath32" : L"orxpath64"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const qv::Platform platform = (input.TakeByte() & 1) != 0 ? qv::Platform::Bits64 : qv::Platform::Bits32;
    const std::wstring root = input.TakeCountedWideText();
    const std::wstring location = input.TakeCountedWideText();
    const std::wstring folder = input.TakeRestAsWideText();

    CheckRefreshCommand(platform, location, folder);

    const qv::LaunchRequest refresh = qv::BuildRefreshRequest(platform, root, location, folder);
    QV_FUZZ_CHECK(refresh.application == root + L"\\bin\\matlab.exe");
    QV_FUZZ_CHECK(refresh.directory == root + L"\\bin");
    QV_FUZZ_CHECK(refresh.commandLine == qv::BuildRefreshCommandLine(platform, location, folder));

    // The setup request takes the folder as it is; the command line never depends on it.
    const qv::LaunchRequest setup = qv::BuildNewUserSetupRequest(folder);
    QV_FUZZ_CHECK(setup.application == folder + L"\\QvNewUserSetup.exe");
    QV_FUZZ_CHECK(setup.commandLine == L"QvNewUserSetup.exe force");
    QV_FUZZ_CHECK(setup.directory == folder);
    return 0;
}
