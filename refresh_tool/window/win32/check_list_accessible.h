#pragma once
// The Active Accessibility object of a check list: what a screen reader reads of the list
// and its items (name, role, state, default action, place), the default action itself, and
// moving the focus and the selection to an item (accSelect). From the list itself, moving
// to the neighbouring controls is left to the system's window object.
// The answers come from window/check_list_accessibility.h; this object gathers the facts
// from its list. The list creates it on the first WM_GETOBJECT and disconnects it when its
// window goes; a client may keep the object longer, and every call then fails (E_FAIL in
// process, RPC_E_DISCONNECTED through COM's proxy) without touching the window.
#include "window/win32/accessible_iid.h"

#include <oleacc.h>

namespace qv::window {

class CheckListBox;

class CheckListAccessible final : public IAccessible {
public:
    // Starts with one reference, the list's.
    explicit CheckListAccessible(CheckListBox& list) : list_(&list) {}
    CheckListAccessible(const CheckListAccessible&) = delete;
    CheckListAccessible& operator=(const CheckListAccessible&) = delete;
    CheckListAccessible(CheckListAccessible&&) = delete;
    CheckListAccessible& operator=(CheckListAccessible&&) = delete;

    // The list's window is going: forget it and cut off clients in other processes.
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~CheckListAccessible() = default;  // through Release only

    // S_OK with `id` set when the list is still there and `child` names it or one of its
    // items; E_FAIL once disconnected; E_INVALIDARG otherwise.
    HRESULT ChildId(const VARIANT& child, long& id) const;
    // Empties the out-parameter (E_POINTER if there is none), then as ChildId.
    HRESULT StartAnswer(const VARIANT& child, BSTR* out, long& id) const;
    HRESULT StartAnswer(const VARIANT& child, VARIANT* out, long& id) const;
    // accNavigate from the list itself, answered by the list window's standard object.
    HRESULT NavigateFromWindow(long direction, VARIANT* end) const;
    bool Connected() const;
    HWND Hwnd() const;

    LONG references_ = 1;
    CheckListBox* list_;
};

}  // namespace qv::window
