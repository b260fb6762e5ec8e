// A screen reader may keep a check list's accessible object after the dialog has closed:
// every call must then fail cleanly without touching the destroyed window.
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "msaa_reader.h"
#include "window/win32/accessible_iid.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace {

bool FailsAsDisconnected(HRESULT result)
{
    return result == E_FAIL || result == RPC_E_DISCONNECTED;
}

TEST(CheckListAccessible, CallsFailOnceTheWindowIsGone)
{
    const qv::testbed::ComApartment com;
    IAccessible* object = nullptr;
    {
        CQvUiRefreshMatlabPathsDlg dialog;
        dialog.m_folders32 = {L"C:\\A", L"C:\\B"};
        ASSERT_TRUE(dialog.Create());
        ASSERT_EQ(::AccessibleObjectFromWindow(dialog.m_list32.GetSafeHwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                               qv::window::kIidAccessible, reinterpret_cast<void**>(&object)),
                  S_OK);
        long count = 0;
        EXPECT_EQ(object->get_accChildCount(&count), S_OK);
        EXPECT_EQ(count, 2);
        dialog.DestroyWindow();
    }
    VARIANT item;
    ::VariantInit(&item);
    item.vt = VT_I4;
    item.lVal = 1;
    long count = -1;
    EXPECT_TRUE(FailsAsDisconnected(object->get_accChildCount(&count)));
    EXPECT_EQ(count, 0);
    BSTR name = nullptr;
    EXPECT_TRUE(FailsAsDisconnected(object->get_accName(item, &name)));
    EXPECT_EQ(name, nullptr);
    VARIANT state;
    EXPECT_TRUE(FailsAsDisconnected(object->get_accState(item, &state)));
    EXPECT_EQ(state.vt, VT_EMPTY);
    EXPECT_TRUE(FailsAsDisconnected(object->accDoDefaultAction(item)));
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    EXPECT_TRUE(FailsAsDisconnected(object->accLocation(&left, &top, &width, &height, item)));
    VARIANT focus;
    EXPECT_TRUE(FailsAsDisconnected(object->get_accFocus(&focus)));
    IDispatch* parent = nullptr;
    EXPECT_TRUE(FailsAsDisconnected(object->get_accParent(&parent)));
    EXPECT_EQ(parent, nullptr);
    object->Release();
}

}  // namespace
