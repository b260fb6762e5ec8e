#include "msaa_reader.h"

#include "window/win32/accessible_iid.h"

#include <oleacc.h>

namespace qv::testbed {
namespace {

using qv::window::kIidAccessible;

StateChangeRecorder* g_recorder = nullptr;  // the hook callback has no context of its own

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

}  // namespace

ComApartment::ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment()
{
    if (initialised_) {
        ::CoUninitialize();
    }
}

AccessibleListView ReadAccessible(HWND window, LONG objectId)
{
    AccessibleListView view;
    IAccessible* object = nullptr;
    view.result = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(objectId), kIidAccessible,
                                               reinterpret_cast<void**>(&object));
    if (FAILED(view.result) || object == nullptr) {
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
    object->Release();
    return view;
}

std::wstring LabelBefore(HWND control)
{
    HWND label = ::GetWindow(control, GW_HWNDPREV);
    wchar_t className[16] = {};
    if (label == nullptr || ::GetClassNameW(label, className, 16) == 0 || ::lstrcmpiW(className, L"Static") != 0) {
        return {};
    }
    wchar_t text[256] = {};
    ::GetWindowTextW(label, text, 256);
    return text;
}

HRESULT DoDefaultAction(HWND window, long childId)
{
    IAccessible* object = nullptr;
    HRESULT result = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                  reinterpret_cast<void**>(&object));
    if (SUCCEEDED(result) && object != nullptr) {
        result = object->accDoDefaultAction(ChildVariant(childId));
        object->Release();
    }
    return result;
}

StateChangeRecorder::StateChangeRecorder(DWORD processId)
{
    g_recorder = this;
    hook_ = ::SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, OnEvent, processId, 0,
                              WINEVENT_OUTOFCONTEXT);
}

StateChangeRecorder::~StateChangeRecorder()
{
    if (hook_ != nullptr) {
        ::UnhookWinEvent(hook_);
    }
    g_recorder = nullptr;
}

std::vector<StateChange> StateChangeRecorder::WaitFor(size_t count, DWORD timeoutMs)
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
    std::vector<StateChange> events;
    events.swap(events_);
    return events;
}

void CALLBACK StateChangeRecorder::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG childId, DWORD,
                                           DWORD)
{
    if (g_recorder != nullptr) {
        g_recorder->events_.push_back({window, objectId, childId});
    }
}

}  // namespace qv::testbed
