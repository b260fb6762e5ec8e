// The worker and the GUI thread's wait, with the stand-in programs as the started processes.
#include "launcher/win32/launch_worker.h"
#include "standin_sandbox.h"

#include <gtest/gtest.h>

namespace qv::win32 {
namespace {

using launcher_tests::StandinSandbox;

LaunchRequest StandinRequest(const std::wstring& folder, const std::wstring& commandLine)
{
    return LaunchRequest{folder + L"\\bin\\matlab.exe", commandLine, folder + L"\\bin"};
}

TEST(LaunchThreadProc, NullRequestGivesOne)
{
    EXPECT_EQ(LaunchThreadProc(nullptr), 1u);
}

TEST(LaunchThreadProc, StartsWaitsAndGivesZero)
{
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    sandbox.SetSleepMs(200);
    // Quotes, a tab and a percent sign reach the program exactly as given.
    const LaunchRequest request = StandinRequest(root, L"matlab.exe -r \"a b\"\t'c' 100% \u00e9");

    EXPECT_EQ(LaunchThreadProc(&request), 0u);

    // The line is written after the sleep, just before the exit: seeing it means the call waited.
    const auto runs = sandbox.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].program, request.application);
    EXPECT_EQ(runs[0].workingDirectory, request.directory);
    EXPECT_EQ(runs[0].commandLine, request.commandLine);
}

TEST(LaunchThreadProc, ProcessThatCannotBeCreatedGivesZero)
{
    StandinSandbox sandbox;
    sandbox.CreateFolder(L"R\\bin");
    sandbox.WriteTextFile(L"S\\bin\\matlab.exe", "not a program");
    for (const wchar_t* folder : {L"R", L"S", L"no such folder"}) {
        const LaunchRequest request = StandinRequest(sandbox.Path(folder), L"matlab.exe");
        EXPECT_EQ(LaunchThreadProc(&request), 0u) << folder;
    }
    EXPECT_TRUE(sandbox.Runs().empty());
}

// A message-only window that records, for each message of interest, whether the started
// stand-in was still running (had not yet written its line) when the message arrived.
class WaitingWindow {
public:
    explicit WaitingWindow(const StandinSandbox& sandbox) : sandbox_(sandbox)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WaitingWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass);
        window_ =
            ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~WaitingWindow()
    {
        ::DestroyWindow(window_);
        ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
    }
    WaitingWindow(const WaitingWindow&) = delete;
    WaitingWindow& operator=(const WaitingWindow&) = delete;

    HWND handle() const { return window_; }
    int seenWhileRunning = 0;
    int seenAfterEnd = 0;

private:
    static constexpr const wchar_t* kClassName = L"QvLauncherTestWindow";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<WaitingWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && (message == WM_TIMER || message == WM_APP)) {
            ++(self->sandbox_.Runs().empty() ? self->seenWhileRunning : self->seenAfterEnd);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    const StandinSandbox& sandbox_;
    HWND window_ = nullptr;
};

TEST(RunLaunchRequest, DispatchesMessagesWhileTheProcessRuns)
{
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    sandbox.SetSleepMs(500);
    WaitingWindow window(sandbox);
    ASSERT_NE(window.handle(), nullptr);
    ::SetTimer(window.handle(), 1, 10, nullptr);

    const LaunchRequest request = StandinRequest(root, L"matlab.exe");
    RunLaunchRequest(request);
    ::KillTimer(window.handle(), 1);

    ASSERT_EQ(sandbox.Runs().size(), 1u) << "returns only after the process has ended";
    EXPECT_GT(window.seenWhileRunning, 0);
}

TEST(RunLaunchRequest, DispatchesAMessageThatWasAlreadyQueuedAndSeen)
{
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    sandbox.SetSleepMs(300);
    WaitingWindow window(sandbox);
    ::PostMessageW(window.handle(), WM_APP, 0, 0);
    // A look without removing makes the message "old": a wait for new input alone never wakes for it.
    MSG peeked{};
    ASSERT_TRUE(::PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE));

    const LaunchRequest request = StandinRequest(root, L"matlab.exe");
    RunLaunchRequest(request);

    EXPECT_EQ(window.seenWhileRunning, 1);
    EXPECT_EQ(window.seenAfterEnd, 0);
}

// A window on this thread whose queue never empties: it posts itself a message whenever it
// handles one, or it never validates its area, so WM_PAINT is always pending.
enum class Flood { SelfPosting, PaintNeverValidated };

class FloodingWindow {
public:
    explicit FloodingWindow(Flood flood)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &FloodingWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, kClassName, L"flood", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        if (flood == Flood::SelfPosting) {
            ::PostMessageW(window_, WM_APP, 0, 0);
        } else {
            ::ShowWindow(window_, SW_SHOWNOACTIVATE);
            ::InvalidateRect(window_, nullptr, FALSE);
        }
    }
    ~FloodingWindow()
    {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
        ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
        MSG left{};
        while (::PeekMessageW(&left, nullptr, WM_APP, WM_APP, PM_REMOVE)) {
        }
    }
    FloodingWindow(const FloodingWindow&) = delete;
    FloodingWindow& operator=(const FloodingWindow&) = delete;

    int handled = 0;

private:
    static constexpr const wchar_t* kClassName = L"QvLauncherFloodingWindow";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FloodingWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_APP) {
            ++self->handled;
            ::PostMessageW(window, WM_APP, 0, 0);
            return 0;
        }
        if (self != nullptr && message == WM_PAINT) {
            ++self->handled;
            return 0;  // no BeginPaint: the area stays invalid
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// CPU time of this process, all threads, in milliseconds.
double ProcessCpuMs()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

class RunLaunchRequestFlooded : public ::testing::TestWithParam<Flood> {};

TEST_P(RunLaunchRequestFlooded, EndsWhenTheProcessEndsWithoutSpinning)
{
    constexpr int kSleepMs = 1500;
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    sandbox.SetSleepMs(kSleepMs);
    FloodingWindow window(GetParam());

    const double cpuBefore = ProcessCpuMs();
    RunLaunchRequest(StandinRequest(root, L"matlab.exe"));  // would never return if the drain never ended
    const double cpuMs = ProcessCpuMs() - cpuBefore;

    EXPECT_EQ(sandbox.Runs().size(), 1u);
    EXPECT_GT(window.handled, 0) << "the window was served while the process ran";
    // A loop that spins for the whole wait uses about as much CPU as the process sleeps.
    EXPECT_LT(cpuMs, kSleepMs / 2.0);
    RecordProperty("cpu_ms", static_cast<int>(cpuMs));
}

INSTANTIATE_TEST_SUITE_P(Windows, RunLaunchRequestFlooded,
                         ::testing::Values(Flood::SelfPosting, Flood::PaintNeverValidated),
                         [](const ::testing::TestParamInfo<Flood>& flood) {
                             return flood.param == Flood::SelfPosting ? "SelfPosting" : "PaintNeverValidated";
                         });

// Left in the queue, the quit would close every later message box unread.
TEST(RunLaunchRequest, QuitSeenWhileWaitingIsTakenOffTheQueue)
{
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    ::PostQuitMessage(42);

    const LaunchRequest request = StandinRequest(root, L"matlab.exe");
    RunLaunchRequest(request);

    EXPECT_EQ(sandbox.Runs().size(), 1u) << "a quit request does not cut the wait short";
    MSG quit{};
    EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(RunLaunchRequest, CrashOrExitCodeOfTheProcessIsNotLookedAt)
{
    StandinSandbox sandbox;
    const std::wstring root = sandbox.MakeMatlabRoot(L"R");
    const LaunchRequest request = StandinRequest(root, L"matlab.exe");

    ::SetEnvironmentVariableW(testbed::kStandinExitCodeVariable, L"7");
    RunLaunchRequest(request);
    ::SetEnvironmentVariableW(testbed::kStandinExitCodeVariable, nullptr);
    ::SetEnvironmentVariableW(testbed::kStandinCrashVariable, L"1");
    RunLaunchRequest(request);

    EXPECT_EQ(sandbox.Runs().size(), 2u);
}

TEST(RunLaunchRequest, ProcessThatCannotBeCreatedReturns)
{
    StandinSandbox sandbox;
    const LaunchRequest request = StandinRequest(sandbox.Path(L"missing"), L"matlab.exe");
    RunLaunchRequest(request);
    EXPECT_TRUE(sandbox.Runs().empty());
}

}  // namespace
}  // namespace qv::win32
