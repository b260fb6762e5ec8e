#include "queue_abuse.h"

#include "common/win32/unique_handle.h"

#include <tlhelp32.h>

#include <atomic>

namespace qv::testbed {
namespace {

constexpr UINT kStart = WM_APP + 1;  // from the watcher: start the abuse on the window's thread
constexpr UINT kFlood = WM_APP + 2;  // one message of a flood
constexpr const wchar_t* kClassName = L"QvStandInQueueAbuse";
constexpr long kThreadBacklog = 64;

QueueAbuse g_abuse = QueueAbuse::None;
HWND g_window = nullptr;
DWORD g_windowThread = 0;
std::atomic<long> g_posted{0};  // flood messages posted by the thread and not yet handled

bool HasChildProcess()
{
    const win32::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId()) {
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kStart) {
        if (g_abuse == QueueAbuse::QuitFromWindow) {
            ::PostQuitMessage(0);
        } else if (g_abuse == QueueAbuse::FloodSelfPosting) {
            ::PostMessageW(window, kFlood, 0, 0);
        } else if (g_abuse == QueueAbuse::FloodPaint) {
            ::ShowWindow(window, SW_SHOWNOACTIVATE);
            ::InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    }
    if (message == kFlood) {
        if (g_abuse == QueueAbuse::FloodSelfPosting) {
            ::PostMessageW(window, kFlood, 0, 0);
        } else {
            --g_posted;
        }
        return 0;
    }
    if (message == WM_PAINT && g_abuse == QueueAbuse::FloodPaint) {
        return 0;  // no BeginPaint: the window stays invalid
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI Watch(void*)
{
    while (!HasChildProcess()) {
        ::Sleep(5);
    }
    if (g_abuse == QueueAbuse::QuitFromThread) {
        ::PostThreadMessageW(g_windowThread, WM_QUIT, 0, 0);
        return 0;
    }
    if (g_abuse != QueueAbuse::FloodFromThread) {
        ::PostMessageW(g_window, kStart, 0, 0);
        return 0;
    }
    // Until the process ends: the window always has messages waiting.
    for (;;) {
        if (g_posted < kThreadBacklog && ::PostMessageW(g_window, kFlood, 0, 0)) {
            ++g_posted;
        } else {
            ::Sleep(1);
        }
    }
}

}  // namespace

void StartQueueAbuse(QueueAbuse abuse)
{
    if (abuse == QueueAbuse::None || g_abuse != QueueAbuse::None) {
        return;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    // A top-level window (not message-only), so that it can be shown and painted.
    g_window = ::CreateWindowExW(WS_EX_NOACTIVATE, kClassName, L"stand-in connector", WS_POPUP, 0, 0, 50, 50, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    if (g_window == nullptr) {
        return;
    }
    g_abuse = abuse;
    g_windowThread = ::GetCurrentThreadId();
    // The window and the watcher live as long as the process.
    const win32::UniqueHandle watcher(::CreateThread(nullptr, 0, &Watch, nullptr, 0, nullptr));
}

}  // namespace qv::testbed
