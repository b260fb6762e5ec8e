// msaa_reader: what a screen reader reads of a window in another process.
//   msaa_reader.exe <caption> [select <control id> <child id> <flags>] [watch <ms>]
//       finds the top-level window with that caption and prints, for each of its controls,
//       the client object's name, role and state, and one line per child (an item of a
//       list) with its name, role, state and default action; with select, then calls
//       accSelect with those SELFLAG flags on that child of that control's client object
//       and prints its result; with watch, then prints the state changes, focus and
//       selection events the window's process raises for <ms> milliseconds (from before
//       the select).
// Output lines:  CONTROL <id> name=<..> role=0x<..> state=0x<..> children=<n>
//                ITEM <child id> name=<..> role=0x<..> state=0x<..> action=<..>
//                SELECT 0x<HRESULT>
//                STATECHANGE|FOCUS|SELECTION <control id> <object id> <child id>
#include "msaa_reader.h"

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

namespace {

using namespace qv::testbed;

void Print(const wchar_t* prefix, long id, const AccessibleView& view)
{
    std::wprintf(L"%ls %ld name=%ls role=0x%lx state=0x%lx", prefix, id, view.name.c_str(), view.role, view.state);
}

const wchar_t* EventName(DWORD event)
{
    switch (event) {
    case EVENT_OBJECT_FOCUS:
        return L"FOCUS";
    case EVENT_OBJECT_SELECTION:
        return L"SELECTION";
    default:
        return L"STATECHANGE";
    }
}

long Number(const wchar_t* text)
{
    return std::wcstol(text, nullptr, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int next = 2;
    const bool select = argc > next && std::wstring(argv[next]) == L"select" && argc >= next + 4;
    next += select ? 4 : 0;
    const bool watch = argc == next + 2 && std::wstring(argv[next]) == L"watch";
    next += watch ? 2 : 0;
    if (argc < 2 || argc != next) {
        std::fwprintf(stderr,
                      L"usage: msaa_reader.exe <caption> [select <control id> <child id> <flags>] [watch <ms>]\n");
        return 2;
    }
    const ComApartment com;
    HWND window = ::FindWindowW(nullptr, argv[1]);
    if (window == nullptr) {
        std::fwprintf(stderr, L"no window captioned %ls\n", argv[1]);
        return 1;
    }
    for (HWND control = ::GetWindow(window, GW_CHILD); control != nullptr;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        const AccessibleListView view = ReadAccessible(control);
        Print(L"CONTROL", ::GetDlgCtrlID(control), view.self);
        std::wprintf(L" children=%zu\n", view.items.size());
        for (size_t i = 0; i < view.items.size(); ++i) {
            Print(L"ITEM", static_cast<long>(i) + 1, view.items[i]);
            std::wprintf(L" action=%ls\n", view.items[i].defaultAction.c_str());
        }
    }
    std::unique_ptr<EventRecorder> recorder;
    if (watch) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        recorder = std::make_unique<EventRecorder>(
            processId, std::vector<DWORD>{EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION});
    }
    if (select) {
        HWND control = ::GetDlgItem(window, static_cast<int>(Number(argv[3])));
        const HRESULT result = control != nullptr ? Select(control, Number(argv[5]), Number(argv[4])) : E_INVALIDARG;
        std::wprintf(L"SELECT 0x%08lx\n", static_cast<unsigned long>(result));
    }
    if (recorder) {
        for (const AccessibleEvent& event : recorder->WaitFor(SIZE_MAX, static_cast<DWORD>(Number(argv[next - 1])))) {
            std::wprintf(L"%ls %d %ld %ld\n", EventName(event.event), ::GetDlgCtrlID(event.window), event.objectId,
                         event.childId);
        }
    }
    return 0;
}
