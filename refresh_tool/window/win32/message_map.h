#pragma once
// A dialog's message map: a static table of the messages a dialog class handles itself,
// each entry naming a typed handler. A map names the map of its base class, which is
// searched after it. Without an entry of its own, OK and Cancel reach the virtual OnOK /
// OnCancel; a handler mapped to IDOK ends with a call of OnOK. Example:
//
//   const MessageMap* MyDlg::GetMessageMap() const
//   {
//       static const MessageMapEntry entries[] = {
//           PaintHandler<&MyDlg::OnPaint>(),
//           CommandHandler<&MyDlg::OnSelChange>(IDC_MY_COMBO, CBN_SELCHANGE),
//       };
//       static const MessageMap map(Dialog::GetMessageMap(), entries);
//       return &map;
//   }
#include <windows.h>

#include <cstddef>

namespace qv::window {

class Dialog;

// Calls the handler; returns whether the message was handled and, if so, its result.
using MessageThunk = bool (*)(Dialog& dialog, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageMapEntry {
    UINT message;
    int controlId;    // WM_COMMAND only: the control that sent it
    UINT notifyCode;  // WM_COMMAND only: its notification code
    MessageThunk thunk;
};

class MessageMap {
public:
    template <std::size_t N>
    MessageMap(const MessageMap* base, const MessageMapEntry (&entries)[N]) : base_(base), first_(entries), count_(N)
    {
    }
    explicit MessageMap(const MessageMap* base) : base_(base) {}

    // The entry for a message, searching this map first and then its bases.
    const MessageMapEntry* Find(UINT message, WPARAM wParam) const;

private:
    const MessageMap* base_;
    const MessageMapEntry* first_ = nullptr;
    std::size_t count_ = 0;
};

namespace detail {

template <typename Handler> struct HandlerClass;
template <typename Class, typename Result> struct HandlerClass<Result (Class::*)()> {
    using Type = Class;
};

template <auto Handler> using ClassOf = typename HandlerClass<decltype(Handler)>::Type;

}  // namespace detail

// WM_PAINT: `bool OnPaint()` returns false to leave painting to the default.
template <auto Handler> MessageMapEntry PaintHandler()
{
    return {WM_PAINT, 0, 0, [](Dialog& dialog, WPARAM, LPARAM, LRESULT& result) {
                result = 0;
                return (static_cast<detail::ClassOf<Handler>&>(dialog).*Handler)();
            }};
}

// WM_QUERYDRAGICON: `HCURSOR OnQueryDragIcon()`.
template <auto Handler> MessageMapEntry QueryDragIconHandler()
{
    return {WM_QUERYDRAGICON, 0, 0, [](Dialog& dialog, WPARAM, LPARAM, LRESULT& result) {
                result = reinterpret_cast<LRESULT>((static_cast<detail::ClassOf<Handler>&>(dialog).*Handler)());
                return true;
            }};
}

// WM_COMMAND from one control with one notification code: `void OnSomething()`.
template <auto Handler> MessageMapEntry CommandHandler(int controlId, UINT notifyCode)
{
    return {WM_COMMAND, controlId, notifyCode, [](Dialog& dialog, WPARAM, LPARAM, LRESULT& result) {
                result = 0;
                (static_cast<detail::ClassOf<Handler>&>(dialog).*Handler)();
                return true;
            }};
}

}  // namespace qv::window
