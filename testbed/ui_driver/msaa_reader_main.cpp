// msaa_reader: what a screen reader reads of a window in another process.
//   msaa_reader.exe <caption> [watch <ms>]
//       finds the top-level window with that caption and prints, for each of its controls,
//       the client object's name, role and state, and one line per child (an item of a
//       list) with its name, role, state and default action; with watch, then prints the
//       state changes the window's process raises for <ms> milliseconds.
// Output lines:  CONTROL <id> name=<..> role=0x<..> state=0x<..> children=<n>
//                ITEM <child id> name=<..> role=0x<..> state=0x<..> action=<..>
//                STATECHANGE <control id> <object id> <child id>
#include "msaa_reader.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using namespace qv::testbed;

void Print(const wchar_t* prefix, long id, const AccessibleView& view)
{
    std::wprintf(L"%ls %ld name=%ls role=0x%lx state=0x%lx", prefix, id, view.name.c_str(), view.role, view.state);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 2 && !(argc == 4 && std::wstring(argv[2]) == L"watch")) {
        std::fwprintf(stderr, L"usage: msaa_reader.exe <caption> [watch <ms>]\n");
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
    if (argc == 4) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        StateChangeRecorder recorder(processId);
        for (const StateChange& change : recorder.WaitFor(SIZE_MAX, static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)))) {
            std::wprintf(L"STATECHANGE %d %ld %ld\n", ::GetDlgCtrlID(change.window), change.objectId, change.childId);
        }
    }
    return 0;
}
