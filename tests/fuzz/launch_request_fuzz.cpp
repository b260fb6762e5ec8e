// The refresh and setup requests on arbitrary UTF-16 folders (NULs, controls, double quotes
// and lone surrogates included). The command line is split as matlab.exe's runtime splits it,
// and its statement read back as MATLAB parses it: each expression must hold exactly the text
// put into it, and the rest must be the fixed statement, whatever the folders are.
#include "../launcher/windows_argv.h"
#include "fuzz_target.h"
#include "launcher/launch_request.h"

namespace {

const std::wstring kPrefix = L"matlab.exe -automation -wait -r \"";

// Reads the refresh statement the way MATLAB parses it, for the only forms the builder may
// produce: a char literal '...' (two quotes stand for one; a line break or a double quote
// inside would break the statement or the argument) or [piece piece ...] of such literals and
// char(N). Between the expressions the statement must be the fixed text, character for character.
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
        if (!Expect(L"char(")) {
            return false;
        }
        unsigned long code = 0;
        std::size_t digits = 0;
        for (; pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9' && digits < 6; ++pos_, ++digits) {
            code = code * 10 + static_cast<unsigned long>(text_[pos_] - L'0');
        }
        if (digits == 0 || code > 0xFFFF || !Expect(L")")) {
            return false;
        }
        value += static_cast<wchar_t>(code);
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
