// The folder-selection dialog as a screen reader hears it: read through Active
// Accessibility from this process while the dialog runs in folder_dialog_host.exe. What the
// check lists, their items and the drop-down are called, what they say of their ticks and
// state, what the default action does (also to what OK hands back), the state-change
// events every tick raises, and moving the focus and the selection as a screen reader does.
#include "folder_dialog_run.h"
#include "msaa_reader.h"
#include "window/win32/control_label.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace qv::testbed;
using Strings = std::vector<std::wstring>;

constexpr unsigned long kItemAlways = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;

HWND Control(HWND dialog, int id)
{
    return ::GetDlgItem(dialog, id);
}

}  // namespace

namespace qv::testbed {

void PrintTo(const AccessibleEvent& event, std::ostream* os)
{
    *os << "{event 0x" << std::hex << event.event << std::dec << ", window " << static_cast<const void*>(event.window)
        << ", object " << event.objectId << ", child " << event.childId << "}";
}

void PrintTo(const NavigationEnd& end, std::ostream* os)
{
    *os << "{result 0x" << std::hex << static_cast<unsigned long>(end.result) << std::dec << ", child " << end.childId
        << ", window " << static_cast<const void*>(end.window) << "}";
}

}  // namespace qv::testbed

namespace {

TEST(FolderDialogAccessibility, ListsAndItemsSayWhatIsTicked)
{
    const ComApartment com;
    AccessibleListView list32;
    AccessibleListView list64;
    std::wstring platformLabel;
    RunDialog(L"-platform 0 -32 \"C:\\ORX 10\\bin\\Matlab\" -32 \"C:\\ORX 11\\bin\\Matlab\" -64 C:\\x64\\A",
              [&](HWND dialog) {
                  ClickCheckBox(dialog, kList32Id, 1);
                  list32 = ReadAccessible(Control(dialog, kList32Id));
                  list64 = ReadAccessible(Control(dialog, kList64Id));
                  platformLabel = qv::window::LabelBefore(Control(dialog, kPlatformComboId));
                  PressButton(dialog, IDCANCEL);
              });
    ASSERT_EQ(list32.result, S_OK);
    EXPECT_EQ(list32.self.name, L"32-bit ORX MATLAB Folders:");
    EXPECT_EQ(list32.self.role, ROLE_SYSTEM_LIST);
    EXPECT_EQ(list32.self.state & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE), STATE_SYSTEM_FOCUSABLE);
    const AccessibleView items32[] = {
        {L"C:\\ORX 10\\bin\\Matlab", ROLE_SYSTEM_CHECKBUTTON, kItemAlways, L"Check"},
        // The click selected the item it ticked and gave the list the focus.
        {L"C:\\ORX 11\\bin\\Matlab", ROLE_SYSTEM_CHECKBUTTON,
         kItemAlways | STATE_SYSTEM_CHECKED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, L"Uncheck"},
    };
    ASSERT_EQ(list32.items.size(), std::size(items32));
    for (size_t i = 0; i < std::size(items32); ++i) {
        EXPECT_EQ(list32.items[i].name, items32[i].name) << "item " << i + 1;
        EXPECT_EQ(list32.items[i].role, items32[i].role) << "item " << i + 1;
        EXPECT_EQ(list32.items[i].state, items32[i].state) << "item " << i + 1;
        EXPECT_EQ(list32.items[i].defaultAction, items32[i].defaultAction) << "item " << i + 1;
    }
    EXPECT_EQ(list32.focus, 2);
    EXPECT_EQ(list32.selection, 2);

    ASSERT_EQ(list64.result, S_OK);
    EXPECT_EQ(list64.self.name, L"64-bit ORX MATLAB Folders:");
    EXPECT_EQ(list64.self.state & STATE_SYSTEM_UNAVAILABLE, static_cast<unsigned long>(STATE_SYSTEM_UNAVAILABLE));
    ASSERT_EQ(list64.items.size(), 1u);
    EXPECT_EQ(list64.items[0].state, kItemAlways | STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(list64.focus, -1);
    EXPECT_EQ(list64.selection, -1);

    // The drop-down is the system's own control, which Windows names after the label just
    // before it in z-order (Wine names it by its text instead).
    EXPECT_EQ(platformLabel, L"Platform to Update:");
}

// Where accNavigate goes among twelve items; from the list itself, to a neighbouring control,
// the list's window object answers (kAsWindowObject).
constexpr long kAsWindowObject = -2;
struct NavigationRow {
    const char* name;
    long direction;
    long start;
    long childId;  // -1: nothing there
};
const NavigationRow kNavigation[] = {
    {"first child", NAVDIR_FIRSTCHILD, CHILDID_SELF, 1},
    {"last child", NAVDIR_LASTCHILD, CHILDID_SELF, 12},
    {"next item", NAVDIR_NEXT, 1, 2},
    {"previous item", NAVDIR_PREVIOUS, 3, 2},
    {"nothing after the last", NAVDIR_NEXT, 12, -1},
    {"list to the next control", NAVDIR_NEXT, CHILDID_SELF, kAsWindowObject},
    {"list to the previous control", NAVDIR_PREVIOUS, CHILDID_SELF, kAsWindowObject},
    {"list to the control above", NAVDIR_UP, CHILDID_SELF, kAsWindowObject},
    {"list to the control below", NAVDIR_DOWN, CHILDID_SELF, kAsWindowObject},
    {"list to the control on the left", NAVDIR_LEFT, CHILDID_SELF, kAsWindowObject},
    {"list to the control on the right", NAVDIR_RIGHT, CHILDID_SELF, kAsWindowObject},
};

TEST(FolderDialogAccessibility, PlacesAreOnTheScreenAndNavigationFollowsTheList)
{
    const ComApartment com;
    std::wstring arguments;
    for (int i = 0; i < 12; ++i) {
        arguments += L" -32 C:\\F" + std::to_wstring(10 + i);
    }
    RECT item2{};
    AccessiblePlace place;
    AccessibleListView items;
    std::vector<NavigationEnd> navigation;
    std::vector<NavigationEnd> windowNavigation;
    HWND parentWindow = nullptr;
    HWND list = nullptr;
    RunDialog(arguments, [&](HWND dialog) {
        list = Control(dialog, kList32Id);
        ::SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item2));
        ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item2), 2);
        place = ReadPlace(list, 2);
        items = ReadAccessible(list);
        for (const NavigationRow& row : kNavigation) {
            navigation.push_back(Navigate(list, row.direction, row.start));
            windowNavigation.push_back(row.childId == kAsWindowObject
                                           ? Navigate(list, row.direction, row.start, OBJID_WINDOW)
                                           : NavigationEnd{});
        }
        parentWindow = ParentWindow(list);
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(place.result, S_OK);
    EXPECT_TRUE(::EqualRect(&place.screen, &item2) != FALSE);
    EXPECT_EQ(place.hitAtCentre, 2);
    // The list shows the first few of its twelve items; the last is scrolled out of view.
    ASSERT_EQ(items.items.size(), 12u);
    EXPECT_EQ(items.items.front().state & STATE_SYSTEM_OFFSCREEN, 0u);
    EXPECT_EQ(items.items.back().state & STATE_SYSTEM_OFFSCREEN, static_cast<unsigned long>(STATE_SYSTEM_OFFSCREEN));
    ASSERT_EQ(navigation.size(), std::size(kNavigation));
    for (size_t i = 0; i < std::size(kNavigation); ++i) {
        const NavigationRow& row = kNavigation[i];
        if (row.childId == kAsWindowObject) {
            EXPECT_EQ(navigation[i], windowNavigation[i]) << row.name;
        } else {
            EXPECT_EQ(navigation[i].childId, row.childId) << row.name;
        }
    }
    // The parent is the list window's own standard object.
    EXPECT_EQ(parentWindow, list);
}

TEST(FolderDialogAccessibility, DefaultActionTicksAndEveryTickIsAnnounced)
{
    const ComApartment com;
    HRESULT onEnabled = E_FAIL;
    HRESULT onDisabled = S_OK;
    HWND list32 = nullptr;
    std::vector<AccessibleEvent> events;
    AccessibleListView after;
    const DialogOutcome outcome =
        RunDialog(L"-platform 0 -32 C:\\A -32 C:\\B -32 C:\\C -64 C:\\D", [&](HWND dialog, DWORD processId) {
            list32 = Control(dialog, kList32Id);
            EventRecorder recorder(processId, {EVENT_OBJECT_STATECHANGE});
            onEnabled = DoDefaultAction(list32, 3);                       // ticks C
            onDisabled = DoDefaultAction(Control(dialog, kList64Id), 1);  // refused: the list is disabled
            ClickCheckBox(dialog, kList32Id, 0);                          // ticks A by mouse
            PressSpaceOnItem(dialog, kList32Id, 0);                       // unticks A by key
            ClickItemText(dialog, kList32Id, 1);                          // selects B, no tick
            events = recorder.WaitFor(3, 5000);
            after = ReadAccessible(list32);
            PressButton(dialog, IDOK);
        });
    EXPECT_EQ(onEnabled, S_OK);
    EXPECT_TRUE(FAILED(onDisabled));
    const std::vector<AccessibleEvent> expected = {{EVENT_OBJECT_STATECHANGE, list32, OBJID_CLIENT, 3},
                                                   {EVENT_OBJECT_STATECHANGE, list32, OBJID_CLIENT, 1},
                                                   {EVENT_OBJECT_STATECHANGE, list32, OBJID_CLIENT, 1}};
    EXPECT_EQ(events, expected);
    ASSERT_EQ(after.items.size(), 3u);
    EXPECT_EQ(after.items[2].defaultAction, L"Uncheck");
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.folders32, Strings{L"C:\\C"});
    EXPECT_TRUE(outcome.folders64.empty());
}

// accSelect on the 32-bit list of C:\A, C:\B, C:\C (the 64-bit list is disabled), row after
// row on one dialog: what each call answers, where the focus and the selection are then, and
// the events it raised.
struct SelectRow {
    const char* name;
    int listId;
    long flags;
    long childId;
    HRESULT result;
    long focus;                           // child id with the focus afterwards; -1 none
    long selection;                       // child id selected afterwards; -1 none
    std::vector<AccessibleEvent> events;  // window filled in: the row's list
};

TEST(FolderDialogAccessibility, SelectMovesFocusAndSelectionAndIsAnnounced)
{
    const ComApartment com;
    constexpr long kFocus = SELFLAG_TAKEFOCUS;
    constexpr long kSelect = SELFLAG_TAKESELECTION;
    const std::vector<SelectRow> rows = {
        // The focus stays on OK, where the dialog put it.
        {"selection alone", kList32Id, kSelect, 3, S_OK, -1, 3, {{EVENT_OBJECT_SELECTION, nullptr, OBJID_CLIENT, 3}}},
        // The system announces the list as it takes the focus, then the list its item.
        {"focus carries the selection along",
         kList32Id,
         kFocus,
         2,
         S_OK,
         2,
         2,
         {{EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF},
          {EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, 2},
          {EVENT_OBJECT_SELECTION, nullptr, OBJID_CLIENT, 2}}},
        {"both, as screen readers send",
         kList32Id,
         kFocus | kSelect,
         1,
         S_OK,
         1,
         1,
         {{EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, 1}, {EVENT_OBJECT_SELECTION, nullptr, OBJID_CLIENT, 1}}},
        // Which requests are invalid is the portable rule's table; one shows that nothing changes.
        {"add to the selection", kList32Id, kFocus | SELFLAG_ADDSELECTION, 3, E_INVALIDARG, 1, 1, {}},
        {"an item of the disabled list", kList64Id, kFocus | kSelect, 1, E_FAIL, -1, -1, {}},
    };
    std::vector<HRESULT> results;
    std::vector<AccessibleListView> views;
    std::vector<std::vector<AccessibleEvent>> events;
    std::vector<AccessibleEvent> late;
    HWND list32 = nullptr;
    HWND list64 = nullptr;
    const DialogOutcome outcome =
        RunDialog(L"-platform 0 -32 C:\\A -32 C:\\B -32 C:\\C -64 C:\\D", [&](HWND dialog, DWORD processId) {
            list32 = Control(dialog, kList32Id);
            list64 = Control(dialog, kList64Id);
            EventRecorder recorder(processId, {EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, EVENT_OBJECT_STATECHANGE});
            for (const SelectRow& row : rows) {
                results.push_back(Select(Control(dialog, row.listId), row.flags, row.childId));
                events.push_back(recorder.WaitFor(row.events.size(), 5000));
                views.push_back(ReadAccessible(Control(dialog, row.listId)));
            }
            late = recorder.WaitFor(SIZE_MAX, 500);
            PressButton(dialog, IDOK);
        });
    ASSERT_EQ(results.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const SelectRow& row = rows[i];
        std::vector<AccessibleEvent> expected = row.events;
        for (AccessibleEvent& event : expected) {
            event.window = row.listId == kList32Id ? list32 : list64;
        }
        EXPECT_EQ(results[i], row.result) << row.name;
        EXPECT_EQ(views[i].focus, row.focus) << row.name;
        EXPECT_EQ(views[i].selection, row.selection) << row.name;
        EXPECT_EQ(events[i], expected) << row.name;
        // Selecting never ticks.
        for (const AccessibleView& item : views[i].items) {
            EXPECT_EQ(item.state & STATE_SYSTEM_CHECKED, 0u) << row.name;
        }
    }
    EXPECT_TRUE(late.empty());
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_TRUE(outcome.folders32.empty());
}

}  // namespace
