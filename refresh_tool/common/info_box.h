#pragma once
// User messages: a box with no owner window, the caption "Info", an OK button only, no icon.
#include <string>

namespace qv {

// Where messages go. The Windows binding shows a message box and returns when the user
// has closed it; tests record the texts.
class IInfoBox {
public:
    virtual void Show(const std::wstring& text) = 0;

protected:
    ~IInfoBox() = default;
};

// Diagnostic messages are shown only when the run's "-d" flag is set.
inline void ShowInfoMessage(IInfoBox& box, bool showInfo, const std::wstring& text)
{
    if (showInfo) {
        box.Show(text);
    }
}

}  // namespace qv
