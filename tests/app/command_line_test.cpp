#include "app/command_line.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

RefreshOptions Parse(const std::wstring& text)
{
    return ParseCommandLine(text).options;
}

TEST(ParseCommandLineTokens, NoTokenAsksForUsage)
{
    for (const wchar_t* text : {L"", L" ", L"     "}) {
        const ParsedCommandLine parsed = ParseCommandLine(text);
        EXPECT_TRUE(parsed.options.showUsage) << "text: [" << text << "]";
        EXPECT_FALSE(parsed.platformConflict);
    }
}

TEST(ParseCommandLineTokens, RunsOfSpacesSeparateButTabsDoNot)
{
    const RefreshOptions spaced = Parse(L"   -list      -d   ");
    EXPECT_TRUE(spaced.showList);
    EXPECT_TRUE(spaced.showInfo);
    EXPECT_FALSE(spaced.showUsage);

    // A tab is an ordinary character: "-list\t-d" is one unknown token.
    const RefreshOptions tabbed = Parse(L"-list\t-d");
    EXPECT_FALSE(tabbed.showList);
    EXPECT_FALSE(tabbed.showInfo);
    EXPECT_FALSE(tabbed.showUsage) << "a line with a token is not an empty line";
}

TEST(ParseCommandLineTokens, UnknownAndMisspeltSwitchesAreIgnored)
{
    const RefreshOptions options = Parse(L"-lists -dd x86 -x 64 --list");
    EXPECT_FALSE(options.showList);
    EXPECT_FALSE(options.showInfo);
    EXPECT_FALSE(options.showUsage);
    EXPECT_EQ(options.platform, PlatformSelection::Bits32);
    EXPECT_TRUE(options.matlabFolder.empty());
}

TEST(ParseCommandLineCase, SwitchesMatchInAnyCaseAndTheFolderKeepsItsCase)
{
    const RefreshOptions options = Parse(L"-X64 -ORXMATLABPATH \"C:\\Orx\\Matlab\" -LiSt -D");
    EXPECT_EQ(options.platform, PlatformSelection::Bits64);
    EXPECT_EQ(options.matlabFolder, L"C:\\Orx\\Matlab");
    EXPECT_TRUE(options.showList);
    EXPECT_TRUE(options.showInfo);
}

TEST(ParseCommandLineCase, OnlyAsciiLettersAreFolded)
{
    // U+0130 (capital I with dot) must not fold into "i".
    EXPECT_FALSE(Parse(L"-L\u0130ST").showList);
}

TEST(ParseCommandLineFolder, QuotedFolderWithSpaces)
{
    const RefreshOptions options = Parse(L"-orxMatlabPath \"C:\\Program Files\\QVR\\ORX 10\\bin\\Matlab\"");
    EXPECT_EQ(options.matlabFolder, L"C:\\Program Files\\QVR\\ORX 10\\bin\\Matlab");
    EXPECT_EQ(options.platform, PlatformSelection::Bits32);
    EXPECT_FALSE(options.showList);
}

TEST(ParseCommandLineFolder, MissingClosingQuoteTakesTheRest)
{
    EXPECT_EQ(Parse(L"-orxMatlabPath \"C:\\A B\\c -d").matlabFolder, L"C:\\A B\\c -d");
    // The piece "-d" of the folder is also seen by the space scan.
    EXPECT_TRUE(Parse(L"-orxMatlabPath \"C:\\A B\\c -d").showInfo);
}

TEST(ParseCommandLineFolder, UnquotedFolderGivesNothing)
{
    EXPECT_TRUE(Parse(L"-orxMatlabPath C:\\Orx\\Matlab").matlabFolder.empty());
    EXPECT_TRUE(Parse(L"-orxMatlabPath").matlabFolder.empty());
}

TEST(ParseCommandLineFolder, TheSecondQuoteTokenOfTheWholeLineIsTaken)
{
    // A quoted text before the switch: the first quote-token is the folder itself.
    EXPECT_EQ(Parse(L"\"C:\\Orx\" -orxMatlabPath").matlabFolder, L" -orxMatlabPath");
    // Runs of quotes count as one delimiter; leading ones are skipped.
    EXPECT_EQ(Parse(L"-orxMatlabPath \"\"C:\\Orx\"\"").matlabFolder, L"C:\\Orx");
    // The switch's position plays no part.
    EXPECT_EQ(Parse(L"-list \"D:\\x y\" -orxmatlabpath").matlabFolder, L"D:\\x y");
    // Without the switch no folder is taken at all.
    EXPECT_TRUE(Parse(L"-list \"D:\\x y\"").matlabFolder.empty());
}

struct PlatformCase {
    const char* name;
    const wchar_t* text;
    bool conflict;
    PlatformSelection platform;
};

void PrintTo(const PlatformCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParseCommandLinePlatform : public ::testing::TestWithParam<PlatformCase> {};

TEST_P(ParseCommandLinePlatform, DecidedOnceAfterTheLoop)
{
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().text);
    EXPECT_EQ(parsed.platformConflict, GetParam().conflict);
    // Also with the conflict: "-x86" keeps the platform that "-x64" alone would have set.
    EXPECT_EQ(parsed.options.platform, GetParam().platform);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandLinePlatform,
    ::testing::Values(PlatformCase{"Neither", L"-list", false, PlatformSelection::Bits32},
                      PlatformCase{"X86Only", L"-list -x86", false, PlatformSelection::Bits32},
                      PlatformCase{"X64Only", L"-list -x64", false, PlatformSelection::Bits64},
                      PlatformCase{"X64Twice", L"-x64 -x64", false, PlatformSelection::Bits64},
                      PlatformCase{"Both", L"-x86 -x64", true, PlatformSelection::Bits32},
                      PlatformCase{"BothAnyCaseAndOrder", L"-X64 -d -x86", true, PlatformSelection::Bits32}),
    [](const ::testing::TestParamInfo<PlatformCase>& param) { return std::string(param.param.name); });

TEST(ParseCommandLineUsage, QuestionMarkAsksForUsage)
{
    EXPECT_TRUE(Parse(L"/?").showUsage);
    const ParsedCommandLine withInfo = ParseCommandLine(L"/? -d");
    EXPECT_TRUE(withInfo.options.showUsage);
    EXPECT_TRUE(withInfo.options.showInfo);
    // The conflict is reported alongside; the run tests it before the usage request.
    const ParsedCommandLine both = ParseCommandLine(L"/? -x86 -x64");
    EXPECT_TRUE(both.options.showUsage);
    EXPECT_TRUE(both.platformConflict);
}

}  // namespace
}  // namespace qv
