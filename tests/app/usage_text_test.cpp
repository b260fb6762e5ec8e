#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// The expected text, written out literally rather than derived the way the code builds it.
const wchar_t* const kExpectedLines[] = {
    L"**************************************",
    L"  Usage:",
    L">QvMatlabSetPath.exe",
    L"    -orxMatlabPath [path]           Path to orx matlab folder",
    L"    -list                           A dialog box with a list of all orx matlab folders will appear,",
    L"                                        you can then check which ones should be added to the",
    L"                                        matlab path. The list is generated from registry values.",
    L"    -x86                            Only update x86 versions of matlab",
    L"    -x64                            Only update x64 versions of matlab",
    L"    Examples:",
    L"QvMatlabSetPath.exe -list",
    L"QvMatlabSetPath.exe -orxMatlabPath \"C:\\Program Files (x86)\\QVR\\ORX 10\\bin\\Matlab\"",
    L"Note: You must either provide the -orxMatlabPath or use the -list option.",
    L"**************************************",
};

TEST(UsageText, MatchesTheFourteenLinesByteForByte)
{
    std::wstring expected;
    for (const wchar_t* line : kExpectedLines) {
        expected += line;
        expected += L'\n';
    }
    EXPECT_EQ(BuildUsageText(), expected);
    EXPECT_EQ(BuildUsageText().size(), 798u);
    EXPECT_EQ(BuildUsageText().find(L'\r'), std::wstring::npos);
}

TEST(UsageText, DescriptionsStartAtColumn36)
{
    const std::wstring text = BuildUsageText();
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 14u);
    for (size_t index : {3u, 4u, 7u, 8u}) {
        EXPECT_EQ(lines[index].compare(0, 5, L"    -"), 0) << lines[index];
        EXPECT_EQ(lines[index][35], L' ') << lines[index];
        EXPECT_NE(lines[index][36], L' ') << lines[index];
    }
    for (size_t index : {5u, 6u}) {
        EXPECT_EQ(lines[index].find_first_not_of(L' '), 40u) << lines[index];
    }
}

}  // namespace
}  // namespace qv
