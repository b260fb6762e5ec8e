#pragma once
// Reads a window's Active Accessibility object from another process, as a screen reader
// does: AccessibleObjectFromWindow, then the children by child id with their names, roles,
// states and default actions. Also does an item's default action and records the
// state-change events a process raises (an out-of-context WinEvent hook).
// The calling thread must have COM initialised (ComApartment).
#include <windows.h>

#include <string>
#include <vector>

namespace qv::testbed {

// COM for the calling thread, as a single-threaded apartment, for the object's lifetime.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_ = false;
};

struct AccessibleView {
    std::wstring name;
    long role = 0;
    unsigned long state = 0;
    std::wstring defaultAction;
};

struct AccessibleListView {
    HRESULT result = E_FAIL;  // of AccessibleObjectFromWindow
    AccessibleView self;
    std::vector<AccessibleView> items;  // child ids 1 to the child count
    long focus = -1;                     // child id with the focus; -1 none
    long selection = -1;                 // child id selected; -1 none
};

// The client object (OBJID_CLIENT) of `window` and its children (for a list, its items).
AccessibleListView ReadAccessible(HWND window);
struct AccessiblePlace {
    HRESULT result = E_FAIL;  // of accLocation
    RECT screen{};            // where accLocation puts the child, in screen coordinates
    long hitAtCentre = -1;    // the child id accHitTest finds at its centre; -1 none
};
AccessiblePlace ReadPlace(HWND window, long childId);
// The child id accNavigate ends up at from `start`; -1 when it finds nothing or fails.
long Navigate(HWND window, long direction, long start);
// The window of the object get_accParent hands back (IOleWindow); null when there is none.
HWND ParentWindow(HWND window);

// accDoDefaultAction on child `childId` of the window's client object.
HRESULT DoDefaultAction(HWND window, long childId);

struct StateChange {
    HWND window = nullptr;
    long objectId = 0;
    long childId = 0;
    bool operator==(const StateChange& other) const
    {
        return window == other.window && objectId == other.objectId && childId == other.childId;
    }
};

// Records EVENT_OBJECT_STATECHANGE of one process while it exists; one at a time.
class StateChangeRecorder {
public:
    explicit StateChangeRecorder(DWORD processId);
    ~StateChangeRecorder();
    StateChangeRecorder(const StateChangeRecorder&) = delete;
    StateChangeRecorder& operator=(const StateChangeRecorder&) = delete;

    // Dispatches this thread's messages (where the events arrive) until `count` events
    // have come or `timeoutMs` has passed, then hands back what came.
    std::vector<StateChange> WaitFor(size_t count, DWORD timeoutMs);

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId, LONG childId,
                                 DWORD thread, DWORD time);
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<StateChange> events_;
};

}  // namespace qv::testbed
