// What a host of another compiler sees when an adapter call fails to allocate: the C hosts of
// foreign_host.c, which carry no GCC C++ runtime, run as their own processes against each
// adapter DLL, with CreateCharArray's count -1 as the failure.
#include "adapter_library.h"
#include "common/win32/unique_handle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using qv::test::AdapterRelease;

struct HostRun {
    DWORD exitCode = 0;
    std::string output;  // stdout and stderr, as written
};

HostRun RunHost(const std::string& host, const AdapterRelease& release, const std::string& mode)
{
    HostRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    qv::win32::UniqueHandle readEnd;
    qv::win32::UniqueHandle writeEnd;
    EXPECT_TRUE(::CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0));
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    const std::string dll = qv::test::BesideExecutable(std::string("QvMatlabAPI_") + release.name + "_Lib.dll");
    const std::string program = qv::test::BesideExecutable(host + ".exe");
    std::string commandLine = "\"" + program + "\" \"" + dll + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot start " << program << ", error " << ::GetLastError();
        return run;
    }
    const qv::win32::UniqueHandle process(started.hProcess);
    const qv::win32::UniqueHandle thread(started.hThread);
    writeEnd.reset();  // the child holds the only write end now: end of file when it ends
    // The few lines it writes fit the pipe. A host stuck in a broken unwind is ended here.
    if (::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << host << " did not end";
        ::TerminateProcess(process.get(), 0xDEAD);
        ::WaitForSingleObject(process.get(), INFINITE);
    }
    ::GetExitCodeProcess(process.get(), &run.exitCode);
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(readEnd.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        run.output.append(buffer, read);
    }
    // The C runtime writes text mode: line ends as CR LF.
    for (size_t at = run.output.find("\r\n"); at != std::string::npos; at = run.output.find("\r\n", at)) {
        run.output.erase(at, 1);
    }
    return run;
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

const char* const kGccThrowSeen = "exception 0x20474343 flags 0\n";

std::string TerminateText(const AdapterRelease& release)
{
    return std::string("terminate called after throwing an instance of '") +
           (release.plainBadAlloc ? "std::bad_alloc" : "std::bad_array_new_length") + "'";
}

class ForeignHost : public testing::TestWithParam<AdapterRelease> {};

// Nothing of the host handles the exception: MinGW's start-up resumes it, the library's
// runtime terminates. The host's code after the call never runs.
TEST_P(ForeignHost, UnhandledInAMinGWProgramEndsItThroughTerminate)
{
    const HostRun run = RunHost("foreign_c_host", GetParam(), "unguarded");
    EXPECT_EQ(run.exitCode, 3u) << run.output;
    const size_t seen = run.output.find(kGccThrowSeen);
    const size_t terminated = run.output.find(TerminateText(GetParam()));
    EXPECT_EQ(run.output.find("object\nCreateCharArray(-1)\n"), 0u) << run.output;
    // Wine shows it to the vectored handler once more before resuming it; Windows once.
    EXPECT_GE(Occurrences(run.output, kGccThrowSeen), 1u) << run.output;
    ASSERT_NE(terminated, std::string::npos) << run.output;
    EXPECT_LT(seen, terminated) << run.output;
    EXPECT_EQ(run.output.find("returned"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("terminated"), std::string::npos) << run.output;
}

// __except for the GCC code: the call has no effect, MATLAB is not called, the object stays
// usable and is terminated normally, every time.
TEST_P(ForeignHost, StructuredExceptionHandlerRecoversAndTheObjectStaysUsable)
{
    const HostRun run = RunHost("foreign_seh_host", GetParam(), "guarded");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.output, std::string("object\n") + kGccThrowSeen + kGccThrowSeen + kGccThrowSeen +
                              "caught 3 of 3, MATLAB calls 0\nusable\nterminated\n");
}

INSTANTIATE_TEST_SUITE_P(Adapters, ForeignHost, testing::ValuesIn(qv::test::AdapterReleases()),
                         [](const testing::TestParamInfo<AdapterRelease>& tested) {
                             return std::string("Release") + tested.param.name;
                         });

}  // namespace
