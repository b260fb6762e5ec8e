// The folder-selection dialog as a screen reader hears it: read through Active
// Accessibility from this process while the dialog runs in folder_dialog_host.exe. What the
// check lists, their items and the drop-down are called, what they say of their ticks and
// state, what the default action does (also to what OK hands back), and the state-change
// events every tick raises.
#include "folder_dialog_run.h"
#include "msaa_reader.h"
#include "window/win32/control_label.h"

#include <gtest/gtest.h>

#include <oleacc.h>

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

void PrintTo(const StateChange& change, std::ostream* os)
{
    *os << "{window " << static_cast<const void*>(change.window) << ", object " << change.objectId << ", child "
        << change.childId << "}";
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
    ASSERT_EQ(list32.items.size(), 2u);
    EXPECT_EQ(list32.items[0].name, L"C:\\ORX 10\\bin\\Matlab");
    EXPECT_EQ(list32.items[1].name, L"C:\\ORX 11\\bin\\Matlab");
    for (const AccessibleView& item : list32.items) {
        EXPECT_EQ(item.role, ROLE_SYSTEM_CHECKBUTTON);
    }
    EXPECT_EQ(list32.items[0].state, kItemAlways);
    EXPECT_EQ(list32.items[0].defaultAction, L"Check");
    // The click selected the item it ticked and gave the list the focus.
    EXPECT_EQ(list32.items[1].state,
              kItemAlways | STATE_SYSTEM_CHECKED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(list32.items[1].defaultAction, L"Uncheck");
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
    std::vector<long> navigation;
    HWND parentWindow = nullptr;
    HWND list = nullptr;
    RunDialog(arguments, [&](HWND dialog) {
        list = Control(dialog, kList32Id);
        ::SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item2));
        ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item2), 2);
        place = ReadPlace(list, 2);
        items = ReadAccessible(list);
        navigation = {Navigate(list, NAVDIR_FIRSTCHILD, CHILDID_SELF), Navigate(list, NAVDIR_LASTCHILD, CHILDID_SELF),
                      Navigate(list, NAVDIR_NEXT, 1), Navigate(list, NAVDIR_PREVIOUS, 3), Navigate(list, NAVDIR_NEXT, 12)};
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
    EXPECT_EQ(navigation, (std::vector<long>{1, 12, 2, 2, -1}));
    // The parent is the list window's own standard object.
    EXPECT_EQ(parentWindow, list);
}

TEST(FolderDialogAccessibility, DefaultActionTicksAndEveryTickIsAnnounced)
{
    const ComApartment com;
    HRESULT onEnabled = E_FAIL;
    HRESULT onDisabled = S_OK;
    HWND list32 = nullptr;
    std::vector<StateChange> events;
    AccessibleListView after;
    const DialogOutcome outcome =
        RunDialog(L"-platform 0 -32 C:\\A -32 C:\\B -32 C:\\C -64 C:\\D", [&](HWND dialog, DWORD processId) {
            list32 = Control(dialog, kList32Id);
            StateChangeRecorder recorder(processId);
            onEnabled = DoDefaultAction(list32, 3);          // ticks C
            onDisabled = DoDefaultAction(Control(dialog, kList64Id), 1);  // refused: the list is disabled
            ClickCheckBox(dialog, kList32Id, 0);             // ticks A by mouse
            PressSpaceOnItem(dialog, kList32Id, 0);          // unticks A by key
            ClickItemText(dialog, kList32Id, 1);             // selects B, no tick
            events = recorder.WaitFor(3, 5000);
            after = ReadAccessible(list32);
            PressButton(dialog, IDOK);
        });
    EXPECT_EQ(onEnabled, S_OK);
    EXPECT_TRUE(FAILED(onDisabled));
    const std::vector<StateChange> expected = {
        {list32, OBJID_CLIENT, 3}, {list32, OBJID_CLIENT, 1}, {list32, OBJID_CLIENT, 1}};
    EXPECT_EQ(events, expected);
    ASSERT_EQ(after.items.size(), 3u);
    EXPECT_EQ(after.items[2].defaultAction, L"Uncheck");
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.folders32, Strings{L"C:\\C"});
    EXPECT_TRUE(outcome.folders64.empty());
}

}  // namespace
