// The exact strings of the MATLAB and setup requests.
#include "launcher/launch_request.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qv {
namespace {

struct RefreshCase {
    const char* name;
    Platform platform;
    std::wstring root;
    std::wstring connector;
    std::wstring folder;
    std::wstring application;
    std::wstring directory;
    std::wstring commandLine;
};

void PrintTo(const RefreshCase& c, std::ostream* out)
{
    *out << c.name;
}

class RefreshRequestTest : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(RefreshRequestTest, ApplicationDirectoryAndCommandLineAreExact)
{
    const RefreshCase& c = GetParam();
    const LaunchRequest request = BuildRefreshRequest(c.platform, c.root, c.connector, c.folder);
    EXPECT_EQ(request.application, c.application);
    EXPECT_EQ(request.directory, c.directory);
    EXPECT_EQ(request.commandLine, c.commandLine);
    EXPECT_EQ(BuildRefreshCommandLine(c.platform, c.connector, c.folder), c.commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefreshRequestTest,
    ::testing::Values(
        RefreshCase{"WorkedExample32", Platform::Bits32, L"C:\\M", L"C:\\P\\Matlab", L"D:\\O\\Matlab",
                    L"C:\\M\\bin\\matlab.exe", L"C:\\M\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( 'C:\\P\\Matlab', path); orxRefresh('C:\\P\\Matlab', "
                    L"'orxpath32', 'D:\\O\\Matlab');catch, end;quit force;\""},
        RefreshCase{"WorkedExample64", Platform::Bits64, L"C:\\M", L"C:\\P\\Matlab", L"D:\\O\\Matlab",
                    L"C:\\M\\bin\\matlab.exe", L"C:\\M\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( 'C:\\P\\Matlab', path); orxRefresh('C:\\P\\Matlab', "
                    L"'orxpath64', 'D:\\O\\Matlab');catch, end;quit force;\""},
        // Nothing is normalised: a trailing backslash doubles the separator.
        RefreshCase{"RootWithTrailingBackslash", Platform::Bits64, L"C:\\Program Files\\MATLAB\\R2018a\\", L"C:\\P",
                    L"D:\\O", L"C:\\Program Files\\MATLAB\\R2018a\\\\bin\\matlab.exe",
                    L"C:\\Program Files\\MATLAB\\R2018a\\\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( 'C:\\P', path); orxRefresh('C:\\P', 'orxpath64', "
                    L"'D:\\O');catch, end;quit force;\""},
        RefreshCase{"EmptyConnectorLocation", Platform::Bits32, L"C:\\M", L"", L"D:\\O", L"C:\\M\\bin\\matlab.exe",
                    L"C:\\M\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( '', path); orxRefresh('', 'orxpath32', "
                    L"'D:\\O');catch, end;quit force;\""},
        // Each single quote in C and F is doubled; the root, spaces and backslashes stay as they are.
        RefreshCase{"SingleQuotesInConnectorAndFolder", Platform::Bits32, L"C:\\M'x", L"C:\\Users\\O'Neil\\P",
                    L"D:\\it's ''here''", L"C:\\M'x\\bin\\matlab.exe", L"C:\\M'x\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( 'C:\\Users\\O''Neil\\P', path); "
                    L"orxRefresh('C:\\Users\\O''Neil\\P', 'orxpath32', 'D:\\it''s ''''here''''');catch, end;quit "
                    L"force;\""},
        // A quote that would otherwise close the literal and run the rest as MATLAB code.
        RefreshCase{"InjectionAttemptStaysInsideTheLiteral", Platform::Bits64, L"C:\\M",
                    L"C:\\a', path); system('calc'); %", L"D:\\O", L"C:\\M\\bin\\matlab.exe", L"C:\\M\\bin",
                    L"matlab.exe -automation -wait -r \"try, path( 'C:\\a'', path); system(''calc''); %', path); "
                    L"orxRefresh('C:\\a'', path); system(''calc''); %', 'orxpath64', 'D:\\O');catch, end;quit "
                    L"force;\""}),
    [](const ::testing::TestParamInfo<RefreshCase>& param) { return std::string(param.param.name); });

// What one quoted argument cannot carry goes in as char(N) pieces; the rest stays a literal.
TEST(MatlabCharExpression, PiecesOnlyWhereALiteralCannotCarryTheText)
{
    EXPECT_EQ(MatlabCharExpression(L""), L"''");
    EXPECT_EQ(MatlabCharExpression(L"C:\\O'Neil\\"), L"'C:\\O''Neil\\'");
    EXPECT_EQ(MatlabCharExpression(L"C:\\a\"b"), L"['C:\\a' char(34) 'b']");
    EXPECT_EQ(MatlabCharExpression(L"\"'\r\n"), L"[char(34) '''' char(13) char(10)]");
    EXPECT_EQ(MatlabCharExpression(std::wstring(L"a\0\tb\x7f", 5)), L"['a' char(0) char(9) 'b' char(127)]");
    // A lone surrogate has no UTF-8 form: it becomes the one MATLAB char it is.
    EXPECT_EQ(MatlabCharExpression(L"a\xD83D"), L"['a' char(55357)]");
}

// The statement stays ASCII: each run of other characters goes in as its UTF-8 bytes, a
// surrogate pair as the one character it is.
TEST(MatlabCharExpression, NonAsciiRunsGoInAsTheirUtf8Bytes)
{
    const std::wstring utf8 = L"native2unicode(uint8([";
    EXPECT_EQ(MatlabCharExpression(L"C:\\\u65E5\xD83D\xDE00\\x"),
              L"['C:\\' " + utf8 + L"230 151 165 240 159 152 128]),'UTF-8') '\\x']");
    EXPECT_EQ(MatlabCharExpression(L"\u00e9"), L"[" + utf8 + L"195 169]),'UTF-8')]");
    EXPECT_EQ(MatlabCharExpression(L"\u0080\u07FF\u0800\uFFFF"),
              L"[" + utf8 + L"194 128 223 191 224 160 128 239 191 191]),'UTF-8')]");
    EXPECT_EQ(MatlabCharExpression(L"\u00e9\"'\u00e9"),
              L"[" + utf8 + L"195 169]),'UTF-8') char(34) '''' " + utf8 + L"195 169]),'UTF-8')]");
    EXPECT_EQ(MatlabCharExpression(L"\xDE00\xD83D\xDE00\xD83D"),
              L"[char(56832) " + utf8 + L"240 159 152 128]),'UTF-8') char(55357)]");
    // The edges of each range.
    EXPECT_EQ(MatlabCharExpression(L"\x1F \x7E"), L"[char(31) ' ~']");
    EXPECT_EQ(MatlabCharExpression(L"\xD800"), L"[char(55296)]");
    EXPECT_EQ(MatlabCharExpression(L"\xDBFF\xDFFF"), L"[" + utf8 + L"244 143 191 191]),'UTF-8')]");
}

TEST(RefreshCommandLine, DoubleQuoteAndLineBreakStayInsideTheArgument)
{
    EXPECT_EQ(BuildRefreshCommandLine(Platform::Bits32, L"C:\\a\" -x \"b", L"D:\\O\n"),
              L"matlab.exe -automation -wait -r \"try, path( ['C:\\a' char(34) ' -x ' char(34) 'b'], path); "
              L"orxRefresh(['C:\\a' char(34) ' -x ' char(34) 'b'], 'orxpath32', ['D:\\O' char(10)]);"
              L"catch, end;quit force;\"");
}

TEST(QuoteForMatlabCharLiteral, DoublesOnlySingleQuotes)
{
    EXPECT_EQ(QuoteForMatlabCharLiteral(L""), L"");
    EXPECT_EQ(QuoteForMatlabCharLiteral(L"'"), L"''");
    EXPECT_EQ(QuoteForMatlabCharLiteral(L"''"), L"''''");
    EXPECT_EQ(QuoteForMatlabCharLiteral(L"a\"b\\c d%e\u00e9\u2019"), L"a\"b\\c d%e\u00e9\u2019")
        << "double quotes, typographic apostrophes and the rest are not MATLAB's quote";
}

TEST(NewUserSetupRequest, WithAndWithoutTrailingBackslash)
{
    const LaunchRequest plain = BuildNewUserSetupRequest(L"C:\\O\\bin");
    EXPECT_EQ(plain.application, L"C:\\O\\bin\\QvNewUserSetup.exe");
    EXPECT_EQ(plain.commandLine, L"QvNewUserSetup.exe force");
    EXPECT_EQ(plain.directory, L"C:\\O\\bin");

    const LaunchRequest trailing = BuildNewUserSetupRequest(L"C:\\O\\bin\\");
    EXPECT_EQ(trailing.application, L"C:\\O\\bin\\\\QvNewUserSetup.exe");
    EXPECT_EQ(trailing.commandLine, L"QvNewUserSetup.exe force");
    EXPECT_EQ(trailing.directory, L"C:\\O\\bin\\");

    // The setup's command line is fixed: a quote in the folder changes only the paths.
    const LaunchRequest quoted = BuildNewUserSetupRequest(L"C:\\O'Neil");
    EXPECT_EQ(quoted.application, L"C:\\O'Neil\\QvNewUserSetup.exe");
    EXPECT_EQ(quoted.commandLine, L"QvNewUserSetup.exe force");
}

TEST(MatlabMissingMessage, NamesTheFullExecutablePath)
{
    EXPECT_EQ(MatlabMissingMessage(L"C:\\M"), L"Could not find the matlab.exe at C:\\M\\bin\\matlab.exe");
    EXPECT_EQ(MatlabMissingMessage(L"C:\\M\\"), L"Could not find the matlab.exe at C:\\M\\\\bin\\matlab.exe");
    EXPECT_EQ(MatlabMissingMessage(L""), L"Could not find the matlab.exe at \\bin\\matlab.exe");
}

}  // namespace
}  // namespace qv
