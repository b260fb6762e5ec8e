#include "window/win32/check_list_accessible.h"

#include "common/win32/com_ptr.h"
#include "window/check_list_accessibility.h"
#include "window/win32/check_list_box.h"
#include "window/win32/control_label.h"
#include "window/win32/rect.h"

#include <new>
#include <string>

namespace qv::window {
namespace {

static_assert(msaa::kStateUnavailable == STATE_SYSTEM_UNAVAILABLE && msaa::kStateSelected == STATE_SYSTEM_SELECTED &&
              msaa::kStateFocused == STATE_SYSTEM_FOCUSED && msaa::kStateChecked == STATE_SYSTEM_CHECKED &&
              msaa::kStateMixed == STATE_SYSTEM_MIXED && msaa::kStateOffscreen == STATE_SYSTEM_OFFSCREEN &&
              msaa::kStateFocusable == STATE_SYSTEM_FOCUSABLE && msaa::kStateSelectable == STATE_SYSTEM_SELECTABLE);
static_assert(msaa::kRoleList == ROLE_SYSTEM_LIST && msaa::kRoleCheckButton == ROLE_SYSTEM_CHECKBUTTON);
static_assert(msaa::kNavUp == NAVDIR_UP && msaa::kNavLastChild == NAVDIR_LASTCHILD &&
              msaa::kChildIdSelf == CHILDID_SELF);
static_assert(msaa::kSelectTakeFocus == SELFLAG_TAKEFOCUS && msaa::kSelectTakeSelection == SELFLAG_TAKESELECTION &&
              msaa::kSelectExtendSelection == SELFLAG_EXTENDSELECTION &&
              msaa::kSelectAddSelection == SELFLAG_ADDSELECTION &&
              msaa::kSelectRemoveSelection == SELFLAG_REMOVESELECTION);

// Runs an answer that builds strings. No exception may cross a COM method: a failed
// allocation is the client's E_OUTOFMEMORY.
template <typename Answer> HRESULT WithoutThrowing(Answer answer) noexcept
{
    try {
        return answer();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ReturnString(const std::wstring& text, BSTR* out)
{
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetLong(VARIANT* out, long value)
{
    out->vt = VT_I4;
    out->lVal = value;
}

}  // namespace

void CheckListAccessible::Disconnect()
{
    list_ = nullptr;
    // Releases the references that COM's stubs hold for other processes; the list still
    // holds its own, so the object outlives this call.
    ::CoDisconnectObject(this, 0);
}

HWND CheckListAccessible::Hwnd() const
{
    return list_->GetSafeHwnd();
}

bool CheckListAccessible::Connected() const
{
    return list_ != nullptr && Hwnd() != nullptr;
}

HRESULT CheckListAccessible::ChildId(const VARIANT& child, long& id) const
{
    if (!Connected()) {
        return E_FAIL;
    }
    if (child.vt != VT_I4 || !IsKnownChildId(child.lVal, list_->GetCount())) {
        return E_INVALIDARG;
    }
    id = child.lVal;
    return S_OK;
}

HRESULT CheckListAccessible::StartAnswer(const VARIANT& child, BSTR* out, long& id) const
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    return ChildId(child, id);
}

HRESULT CheckListAccessible::StartAnswer(const VARIANT& child, VARIANT* out, long& id) const
{
    if (out == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(out);
    return ChildId(child, id);
}

HRESULT CheckListAccessible::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CheckListAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG CheckListAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// Clients reach the object through IAccessible's own slots (and oleacc's proxy); there
// is no type library for late binding.
HRESULT CheckListAccessible::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT CheckListAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids)
{
    if (ids != nullptr) {
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
    }
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO* exception,
                                    UINT* argumentError)
{
    if (result != nullptr) {
        ::VariantInit(result);
    }
    if (exception != nullptr) {
        *exception = EXCEPINFO{};
    }
    if (argumentError != nullptr) {
        *argumentError = 0;
    }
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::get_accParent(IDispatch** parent)
{
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (!Connected()) {
        return E_FAIL;
    }
    return ::CreateStdAccessibleObject(Hwnd(), OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT CheckListAccessible::get_accChildCount(long* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    if (!Connected()) {
        return E_FAIL;
    }
    *count = list_->GetCount();
    return S_OK;
}

HRESULT CheckListAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    long id = 0;
    const HRESULT known = ChildId(child, id);
    if (FAILED(known)) {
        return known;
    }
    // Items are simple elements, answered by this object with their child id.
    return id == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
}

HRESULT CheckListAccessible::get_accName(VARIANT child, BSTR* name)
{
    long id = 0;
    const HRESULT known = StartAnswer(child, name, id);
    if (FAILED(known)) {
        return known;
    }
    return WithoutThrowing([this, id, name] {
        if (id == CHILDID_SELF) {
            const std::wstring label = LabelWithoutMnemonic(LabelBefore(Hwnd()));
            return label.empty() ? S_FALSE : ReturnString(label, name);
        }
        return ReturnString(list_->GetText(ItemOfChildId(id)), name);
    });
}

HRESULT CheckListAccessible::get_accValue(VARIANT child, BSTR* value)
{
    long id = 0;
    const HRESULT known = StartAnswer(child, value, id);
    return FAILED(known) ? known : DISP_E_MEMBERNOTFOUND;
}

HRESULT CheckListAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return get_accValue(child, description);
}

HRESULT CheckListAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    long id = 0;
    const HRESULT known = StartAnswer(child, role, id);
    if (FAILED(known)) {
        return known;
    }
    SetLong(role, id == CHILDID_SELF ? msaa::kRoleList : msaa::kRoleCheckButton);
    return S_OK;
}

HRESULT CheckListAccessible::get_accState(VARIANT child, VARIANT* state)
{
    long id = 0;
    const HRESULT known = StartAnswer(child, state, id);
    if (FAILED(known)) {
        return known;
    }
    HWND hwnd = Hwnd();
    const bool listFocused = ::GetFocus() == hwnd;
    const bool enabled = list_->IsWindowEnabled();
    if (id == CHILDID_SELF) {
        SetLong(state, static_cast<long>(CheckListState(listFocused, enabled)));
        return S_OK;
    }
    const int index = ItemOfChildId(id);
    RECT item{};
    RECT client{};
    list_->SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ::GetClientRect(hwnd, &client);
    const int check = list_->GetCheck(index);
    CheckListItemFacts facts;
    facts.ticked = check == CheckListBox::Checked;
    facts.mixed = check == CheckListBox::Indeterminate;
    facts.selected = list_->SendMessage(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
    facts.focused = listFocused && list_->SendMessage(LB_GETCARETINDEX) == index;
    facts.listEnabled = enabled;
    facts.onScreen = IsItemOnScreen(ToPixelRect(item), ToPixelRect(client));
    SetLong(state, static_cast<long>(CheckListItemState(facts)));
    return S_OK;
}

HRESULT CheckListAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return get_accValue(child, help);
}

HRESULT CheckListAccessible::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic)
{
    if (helpFile == nullptr || topic == nullptr) {
        return E_POINTER;
    }
    *topic = 0;
    return get_accValue(child, helpFile);
}

HRESULT CheckListAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return get_accValue(child, shortcut);
}

HRESULT CheckListAccessible::get_accFocus(VARIANT* focus)
{
    if (focus == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(focus);
    if (!Connected()) {
        return E_FAIL;
    }
    if (::GetFocus() != Hwnd()) {
        return S_FALSE;
    }
    const auto caret = static_cast<int>(list_->SendMessage(LB_GETCARETINDEX));
    SetLong(focus, caret >= 0 && caret < list_->GetCount() ? ChildIdOfItem(caret) : CHILDID_SELF);
    return S_OK;
}

HRESULT CheckListAccessible::get_accSelection(VARIANT* selection)
{
    if (selection == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(selection);
    if (!Connected()) {
        return E_FAIL;
    }
    // A single-selection list: one item or none.
    const auto selected = static_cast<int>(list_->SendMessage(LB_GETCURSEL));
    if (selected < 0) {
        return S_FALSE;
    }
    SetLong(selection, ChildIdOfItem(selected));
    return S_OK;
}

HRESULT CheckListAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    long id = 0;
    const HRESULT known = StartAnswer(child, action, id);
    if (FAILED(known)) {
        return known;
    }
    if (id == CHILDID_SELF) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return WithoutThrowing([this, id, action] {
        return ReturnString(CheckListDefaultAction(list_->GetCheck(ItemOfChildId(id)) == CheckListBox::Checked),
                            action);
    });
}

HRESULT CheckListAccessible::accSelect(long flags, VARIANT child)
{
    if (!Connected()) {
        return E_FAIL;
    }
    if (child.vt != VT_I4) {
        return E_INVALIDARG;
    }
    const auto selected = static_cast<int>(list_->SendMessage(LB_GETCURSEL));
    const SelectAction action =
        SelectInCheckList(flags, child.lVal, list_->GetCount(), selected, list_->IsWindowEnabled());
    switch (action.kind) {
    case SelectAction::Invalid:
        return E_INVALIDARG;
    case SelectAction::Refused:
        return E_FAIL;
    default:
        list_->Select(action.focusList, action.caret, action.select);
        return S_OK;
    }
}

HRESULT CheckListAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    long id = 0;
    const HRESULT known = ChildId(child, id);
    if (FAILED(known)) {
        return known;
    }
    RECT rect{};
    if (id == CHILDID_SELF) {
        ::GetClientRect(Hwnd(), &rect);
    } else if (list_->SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(ItemOfChildId(id)),
                                  reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
        return E_FAIL;
    }
    // Screen coordinates, as clients expect.
    ::MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

HRESULT CheckListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (end == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(end);
    if (!Connected()) {
        return E_FAIL;
    }
    if (start.vt != VT_I4) {
        return E_INVALIDARG;
    }
    const NavigationTarget target = NavigateCheckList(direction, start.lVal, list_->GetCount());
    switch (target.kind) {
    case NavigationTarget::Item:
        SetLong(end, target.childId);
        return S_OK;
    case NavigationTarget::Nothing:
        return S_FALSE;
    case NavigationTarget::Window:
        return NavigateFromWindow(direction, end);
    default:
        return E_INVALIDARG;
    }
}

HRESULT CheckListAccessible::NavigateFromWindow(long direction, VARIANT* end) const
{
    win32::ComPtr<IAccessible> window;
    const HRESULT made = ::CreateStdAccessibleObject(Hwnd(), OBJID_WINDOW, kIidAccessible, window.put_void());
    if (FAILED(made)) {
        return made;
    }
    VARIANT self;
    ::VariantInit(&self);
    SetLong(&self, CHILDID_SELF);
    return window->accNavigate(direction, self, end);
}

HRESULT CheckListAccessible::accHitTest(long x, long y, VARIANT* child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(child);
    if (!Connected()) {
        return E_FAIL;
    }
    POINT point{x, y};
    RECT client{};
    ::ScreenToClient(Hwnd(), &point);
    ::GetClientRect(Hwnd(), &client);
    if (::PtInRect(&client, point) == FALSE) {
        return S_FALSE;
    }
    const LRESULT hit = list_->SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int index = LOWORD(hit);
    const bool onItem = HIWORD(hit) == 0 && index < list_->GetCount();
    SetLong(child, onItem ? ChildIdOfItem(index) : CHILDID_SELF);
    return S_OK;
}

HRESULT CheckListAccessible::accDoDefaultAction(VARIANT child)
{
    long id = 0;
    const HRESULT known = ChildId(child, id);
    if (FAILED(known)) {
        return known;
    }
    if (id == CHILDID_SELF) {
        return DISP_E_MEMBERNOTFOUND;
    }
    // A disabled list cannot be ticked, by a screen reader either.
    if (!list_->IsWindowEnabled()) {
        return E_FAIL;
    }
    list_->Toggle(ItemOfChildId(id));
    return S_OK;
}

HRESULT CheckListAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT CheckListAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

}  // namespace qv::window
