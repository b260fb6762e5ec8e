#include "msaa_reader.h"

#include "window/win32/accessible_iid.h"

#include <oleacc.h>

#include <algorithm>
#include <utility>

namespace qv::testbed {
namespace {

using qv::window::kIidAccessible;

EventRecorder* g_recorder = nullptr;  // the hook callback has no context of its own

VARIANT ChildVariant(long childId)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = childId;
    return child;
}

std::wstring TakeString(BSTR text)
{
    std::wstring value = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return value;
}

long TakeChildId(HRESULT result, VARIANT& value)
{
    const long id = SUCCEEDED(result) && value.vt == VT_I4 ? value.lVal : -1;
    ::VariantClear(&value);
    return id;
}

AccessibleView ReadChild(IAccessible& object, long childId)
{
    AccessibleView view;
    const VARIANT child = ChildVariant(childId);
    BSTR text = nullptr;
    if (SUCCEEDED(object.get_accName(child, &text))) {
        view.name = TakeString(text);
    }
    VARIANT value;
    ::VariantInit(&value);
    if (SUCCEEDED(object.get_accRole(child, &value)) && value.vt == VT_I4) {
        view.role = value.lVal;
    }
    ::VariantClear(&value);
    if (SUCCEEDED(object.get_accState(child, &value)) && value.vt == VT_I4) {
        view.state = static_cast<unsigned long>(value.lVal);
    }
    ::VariantClear(&value);
    text = nullptr;
    if (SUCCEEDED(object.get_accDefaultAction(child, &text))) {
        view.defaultAction = TakeString(text);
    }
    return view;
}

// The window's client object (or another of its objects), released at the end of the scope.
class ClientObject {
public:
    explicit ClientObject(HWND window, long objectId = OBJID_CLIENT)
        : result_(::AccessibleObjectFromWindow(window, static_cast<DWORD>(objectId), kIidAccessible,
                                               reinterpret_cast<void**>(&object_)))
    {
        if (FAILED(result_)) {
            object_ = nullptr;
        }
    }
    ~ClientObject()
    {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;
    IAccessible* get() const { return object_; }
    HRESULT result() const { return result_; }

private:
    IAccessible* object_ = nullptr;
    HRESULT result_;
};

}  // namespace

ComApartment::ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment()
{
    if (initialised_) {
        ::CoUninitialize();
    }
}

AccessibleListView ReadAccessible(HWND window)
{
    AccessibleListView view;
    const ClientObject client(window);
    view.result = client.result();
    IAccessible* object = client.get();
    if (object == nullptr) {
        return view;
    }
    view.self = ReadChild(*object, CHILDID_SELF);
    long count = 0;
    if (SUCCEEDED(object->get_accChildCount(&count))) {
        for (long id = 1; id <= count; ++id) {
            view.items.push_back(ReadChild(*object, id));
        }
    }
    VARIANT value;
    ::VariantInit(&value);
    view.focus = TakeChildId(object->get_accFocus(&value), value);
    view.selection = TakeChildId(object->get_accSelection(&value), value);
    return view;
}

AccessiblePlace ReadPlace(HWND window, long childId)
{
    AccessiblePlace place;
    const ClientObject object(window);
    if (object.get() == nullptr) {
        return place;
    }
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    place.result = object.get()->accLocation(&left, &top, &width, &height, ChildVariant(childId));
    place.screen = {left, top, left + width, top + height};
    VARIANT hit;
    ::VariantInit(&hit);
    place.hitAtCentre = TakeChildId(object.get()->accHitTest(left + width / 2, top + height / 2, &hit), hit);
    return place;
}

NavigationEnd Navigate(HWND window, long direction, long start, long objectId)
{
    NavigationEnd found;
    const ClientObject object(window, objectId);
    if (object.get() == nullptr) {
        found.result = object.result();
        return found;
    }
    VARIANT end;
    ::VariantInit(&end);
    found.result = object.get()->accNavigate(direction, ChildVariant(start), &end);
    if (found.result == S_OK && end.vt == VT_DISPATCH && end.pdispVal != nullptr) {
        IOleWindow* oleWindow = nullptr;
        if (SUCCEEDED(end.pdispVal->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&oleWindow)))) {
            oleWindow->GetWindow(&found.window);
            oleWindow->Release();
        }
    }
    found.childId = TakeChildId(found.result, end);
    return found;
}

HWND ParentWindow(HWND window)
{
    const ClientObject object(window);
    IDispatch* parent = nullptr;
    if (object.get() == nullptr || FAILED(object.get()->get_accParent(&parent)) || parent == nullptr) {
        return nullptr;
    }
    HWND parentWindow = nullptr;
    IOleWindow* oleWindow = nullptr;
    if (SUCCEEDED(parent->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&oleWindow)))) {
        oleWindow->GetWindow(&parentWindow);
        oleWindow->Release();
    }
    parent->Release();
    return parentWindow;
}

HRESULT DoDefaultAction(HWND window, long childId)
{
    const ClientObject object(window);
    return object.get() != nullptr ? object.get()->accDoDefaultAction(ChildVariant(childId)) : E_FAIL;
}

HRESULT Select(HWND window, long flags, long childId)
{
    const ClientObject object(window);
    return object.get() != nullptr ? object.get()->accSelect(flags, ChildVariant(childId)) : object.result();
}

EventRecorder::EventRecorder(DWORD processId, std::vector<DWORD> events) : wanted_(std::move(events))
{
    if (!wanted_.empty()) {
        const auto [first, last] = std::minmax_element(wanted_.begin(), wanted_.end());
        hook_ = ::SetWinEventHook(*first, *last, nullptr, OnEvent, processId, 0, WINEVENT_OUTOFCONTEXT);
    }
    // Events arrive only while this thread dispatches messages (WaitFor), after this.
    g_recorder = this;
}

EventRecorder::~EventRecorder()
{
    if (hook_ != nullptr) {
        ::UnhookWinEvent(hook_);
    }
    g_recorder = nullptr;
}

std::vector<AccessibleEvent> EventRecorder::WaitFor(size_t count, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (ULONGLONG now = ::GetTickCount64(); events_.size() < count && now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    std::vector<AccessibleEvent> events;
    events.swap(events_);
    return events;
}

void CALLBACK EventRecorder::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
{
    if (g_recorder != nullptr &&
        std::find(g_recorder->wanted_.begin(), g_recorder->wanted_.end(), event) != g_recorder->wanted_.end()) {
        g_recorder->events_.push_back({event, window, objectId, childId});
    }
}

}  // namespace qv::testbed
