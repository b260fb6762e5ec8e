#pragma once
// Reads a window's Active Accessibility object from another process, as a screen reader
// does: AccessibleObjectFromWindow, then the children by child id with their names, roles,
// states and default actions. Also does an item's default action, moves the focus and the
// selection (accSelect) and records the events a process raises (an out-of-context WinEvent
// hook): state changes, focus and selection.
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
    long focus = -1;                    // child id with the focus; -1 none
    long selection = -1;                // child id selected; -1 none
};

// The client object (OBJID_CLIENT) of `window` and its children (for a list, its items).
AccessibleListView ReadAccessible(HWND window);
struct AccessiblePlace {
    HRESULT result = E_FAIL;  // of accLocation
    RECT screen{};            // where accLocation puts the child, in screen coordinates
    long hitAtCentre = -1;    // the child id accHitTest finds at its centre; -1 none
};
AccessiblePlace ReadPlace(HWND window, long childId);
// Where accNavigate ends up from `start` in the window's object `objectId`.
struct NavigationEnd {
    HRESULT result = E_FAIL;
    long childId = -1;      // an element of the same object; -1 none
    HWND window = nullptr;  // the window of an object handed back (IOleWindow); null none
    bool operator==(const NavigationEnd& other) const
    {
        return result == other.result && childId == other.childId && window == other.window;
    }
};
NavigationEnd Navigate(HWND window, long direction, long start, long objectId = OBJID_CLIENT);
// The window of the object get_accParent hands back (IOleWindow); null when there is none.
HWND ParentWindow(HWND window);

// accDoDefaultAction on child `childId` of the window's client object.
HRESULT DoDefaultAction(HWND window, long childId);
// accSelect with `flags` (SELFLAG_*) on child `childId` of the window's client object.
HRESULT Select(HWND window, long flags, long childId);

struct AccessibleEvent {
    DWORD event = 0;  // EVENT_OBJECT_*
    HWND window = nullptr;
    long objectId = 0;
    long childId = 0;
    bool operator==(const AccessibleEvent& other) const
    {
        return event == other.event && window == other.window && objectId == other.objectId && childId == other.childId;
    }
};

// Records the events `events` (EVENT_OBJECT_*) of one process while it exists; one at a time.
class EventRecorder {
public:
    EventRecorder(DWORD processId, std::vector<DWORD> events);
    ~EventRecorder();
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    // Dispatches this thread's messages (where the events arrive) until `count` events
    // have come or `timeoutMs` has passed, then hands back what came.
    std::vector<AccessibleEvent> WaitFor(size_t count, DWORD timeoutMs);

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId, LONG childId,
                                 DWORD thread, DWORD time);
    std::vector<DWORD> wanted_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<AccessibleEvent> events_;
};

}  // namespace qv::testbed
