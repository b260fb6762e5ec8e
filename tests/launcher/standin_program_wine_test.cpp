// The stand-in programs themselves: their log format, and that they report what the runner
// tests rely on (overlap, exit code, crash).
#include "process_runner.h"
#include "standin_sandbox.h"
#include "common/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv::testbed {
namespace {

using launcher_tests::StandinSandbox;

TEST(StandinLog, LinesRoundTripAnyText)
{
    const StandinRun run{true, L"C:\\a%25b\\matlab.exe", L"C:\\tab\there\r\nnext", L"x \"y\" 'z' %% \u00e9\u4e2d"};
    const std::wstring line = FormatStandinLine(run);
    ASSERT_EQ(line.find(L'\n'), line.size() - 1) << "one line, ending in a line feed";
    EXPECT_EQ(ParseStandinLine(line.substr(0, line.size() - 1)), run);
    EXPECT_EQ(FromUtf8(ToUtf8(line)), line);
}

TEST(StandinLog, MalformedLinesAreRejected)
{
    for (const wchar_t* line :
         {L"", L"alone\ta\tb", L"alone\ta\tb\tc\td", L"maybe\ta\tb\tc", L"alone\ta%2\tb\tc", L"alone\ta%zz\tb\tc"}) {
        EXPECT_FALSE(ParseStandinLine(line).has_value()) << line;
    }
}

TEST(StandinProgram, ExitsWithTheRequestedCodeOrCrashes)
{
    StandinSandbox sandbox;
    ::SetEnvironmentVariableW(kStandinExitCodeVariable, L"7");
    EXPECT_EQ(RunProgram(launcher_tests::BuiltStandinSetup(), L"force").exitCode, 7u);
    ::SetEnvironmentVariableW(kStandinCrashVariable, L"1");
    EXPECT_EQ(RunProgram(launcher_tests::BuiltStandinSetup(), L"force").exitCode,
              static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    // Both logged before ending.
    EXPECT_EQ(sandbox.Runs().size(), 2u);
}

TEST(StandinProgram, TwoAliveAtOnceReportOverlap)
{
    StandinSandbox sandbox;
    // Both sleep, so their lifetimes overlap whichever of them reaches its start first.
    sandbox.SetSleepMs(1000);
    const std::wstring program = launcher_tests::BuiltStandinMatlab();
    std::vector<win32::UniqueHandle> processes;
    for (const wchar_t* name : {L"first", L"second"}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION created{};
        std::wstring commandLine = name;
        ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                     nullptr, nullptr, &startup, &created));
        const win32::UniqueHandle thread(created.hThread);
        processes.emplace_back(created.hProcess);
    }
    for (const win32::UniqueHandle& process : processes) {
        ::WaitForSingleObject(process.get(), INFINITE);
    }

    const auto runs = sandbox.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NE(runs[0].overlapping, runs[1].overlapping) << "exactly one of them found the other running";
}

}  // namespace
}  // namespace qv::testbed
