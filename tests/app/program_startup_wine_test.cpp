// The real QvMatlabSetPath.exe under Wine: start-up, the usage text and the platform conflict.
#include "process_runner.h"
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using qv::testbed::ProgramRun;

ProgramRun RunSetPath(const std::wstring& arguments)
{
    return qv::testbed::RunProgram(qv::testbed::ExecutableDirectory() + L"QvMatlabSetPath.exe", arguments);
}

void ExpectPlainInfoBox(const qv::testbed::MessageBoxView& box)
{
    EXPECT_EQ(box.caption, L"Info");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(box.hasIcon);
    EXPECT_FALSE(box.hasOwner);
}

TEST(ProgramStartup, UsageForQuestionMarkAndForAnEmptyCommandLine)
{
    for (const wchar_t* arguments : {L"/?", L"", L"   ", L"/? -d"}) {
        const ProgramRun run = RunSetPath(arguments);
        ASSERT_TRUE(run.started);
        EXPECT_FALSE(run.timedOut);
        ASSERT_EQ(run.infoBoxes.size(), 1u) << "arguments: [" << arguments << "]";
        ExpectPlainInfoBox(run.infoBoxes[0]);
        // The static control shows the text as given; Wine and Windows keep the line feeds.
        EXPECT_EQ(run.infoBoxes[0].text, qv::BuildUsageText());
    }
}

TEST(ProgramStartup, PlatformConflictIsShownOnlyWithD)
{
    const ProgramRun withInfo = RunSetPath(L"-x86 -x64 -d");
    ASSERT_EQ(withInfo.infoBoxes.size(), 1u);
    ExpectPlainInfoBox(withInfo.infoBoxes[0]);
    EXPECT_EQ(withInfo.infoBoxes[0].text, L"Cannot specify both x86 and x64 flags.\n");

    const ProgramRun silent = RunSetPath(L"-x86 -x64");
    EXPECT_TRUE(silent.started);
    EXPECT_FALSE(silent.timedOut);
    EXPECT_TRUE(silent.infoBoxes.empty());

    // The conflict is tested before the usage request.
    EXPECT_TRUE(RunSetPath(L"/? -x86 -x64").infoBoxes.empty());
}

TEST(ProgramStartup, ExitStatusIsZero)
{
    EXPECT_EQ(RunSetPath(L"-x86 -x64").exitCode, 0u);
}

}  // namespace
