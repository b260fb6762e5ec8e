// The check list's accessible object in process, where what a client cannot do from another
// process shows: calls after the dialog has closed fail cleanly without touching the
// destroyed window; a failed allocation is an error code, never an exception; a failed call
// leaves its out-parameters defined; an indeterminate item says so; and a list whose object
// cannot be handed out still has the system's.
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "msaa_reader.h"
#include "window/win32/accessible_iid.h"

#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstring>
#include <new>
#include <thread>

namespace {

// While set, every allocation through operator new fails.
bool g_failAllocations = false;

}  // namespace

void* operator new(std::size_t size)
{
    void* memory = g_failAllocations ? nullptr : ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void operator delete(void* memory) noexcept
{
    if (memory != nullptr) {
        ::HeapFree(::GetProcessHeap(), 0, memory);
    }
}

void operator delete(void* memory, std::size_t) noexcept
{
    operator delete(memory);
}

namespace {

VARIANT Child(long id)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

IAccessible* ClientObject(HWND list)
{
    IAccessible* object = nullptr;
    EXPECT_EQ(::AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), qv::window::kIidAccessible,
                                           reinterpret_cast<void**>(&object)),
              S_OK);
    return object;
}

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

TEST(CheckListAccessible, AnswersWithoutThrowingAndLeavesOutParametersDefined)
{
    const qv::testbed::ComApartment com;
    CQvUiRefreshMatlabPathsDlg dialog;
    dialog.m_folders32 = {L"C:\\ORX 10\\bin\\Matlab", L"C:\\ORX 11\\bin\\Matlab"};
    ASSERT_TRUE(dialog.Create());
    dialog.m_list32.SetCheck(1, qv::window::CheckListBox::Indeterminate);
    IAccessible* object = ClientObject(dialog.m_list32.GetSafeHwnd());
    ASSERT_NE(object, nullptr);

    // The names are longer than a string holds without allocating.
    BSTR itemName = nullptr;
    BSTR listName = nullptr;
    g_failAllocations = true;
    const HRESULT itemResult = object->get_accName(Child(1), &itemName);
    const HRESULT listResult = object->get_accName(Child(CHILDID_SELF), &listName);
    g_failAllocations = false;
    EXPECT_EQ(itemResult, E_OUTOFMEMORY);
    EXPECT_EQ(itemName, nullptr);
    EXPECT_EQ(listResult, E_OUTOFMEMORY);
    EXPECT_EQ(listName, nullptr);

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"accName"), const_cast<LPOLESTR>(L"accRole")};
    DISPID ids[] = {42, 42};
    EXPECT_TRUE(FAILED(object->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids)));
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    VARIANT result;
    result.vt = VT_BSTR;
    result.bstrVal = nullptr;
    EXCEPINFO exception;
    std::memset(&exception, 0xAB, sizeof(exception));
    UINT argumentError = 42;
    DISPPARAMS none{};
    EXPECT_TRUE(FAILED(object->Invoke(DISPID_ACC_NAME, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                      &result, &exception, &argumentError)));
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(exception.bstrDescription, nullptr);
    EXPECT_EQ(exception.scode, 0);
    EXPECT_EQ(argumentError, 0u);

    VARIANT state;
    ASSERT_EQ(object->get_accState(Child(2), &state), S_OK);
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_MIXED | STATE_SYSTEM_CHECKED), STATE_SYSTEM_MIXED);
    object->Release();
    dialog.DestroyWindow();
}

// A component on the list's thread that uninitialises COM too often leaves the list's object
// no apartment to be handed out from: the client still gets the system's object.
TEST(CheckListAccessible, ListWhoseThreadLeftComHasTheSystemsObject)
{
    HRESULT result = E_FAIL;
    bool leftCom = false;
    std::thread thread([&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CQvUiRefreshMatlabPathsDlg dialog;
        dialog.m_folders32 = {L"C:\\A"};
        if (!dialog.Create()) {
            return;
        }
        APTTYPE type = APTTYPE_CURRENT;
        APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
        for (int i = 0; i < 8 && !leftCom; ++i) {
            ::CoUninitialize();
            leftCom = ::CoGetApartmentType(&type, &qualifier) == CO_E_NOTINITIALIZED;
        }
        IAccessible* object = nullptr;
        result = ::AccessibleObjectFromWindow(dialog.m_list32.GetSafeHwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                              qv::window::kIidAccessible, reinterpret_cast<void**>(&object));
        if (object != nullptr) {
            object->Release();
        }
        dialog.DestroyWindow();
    });
    thread.join();
    ASSERT_TRUE(leftCom);
    EXPECT_EQ(result, S_OK);
}

}  // namespace
