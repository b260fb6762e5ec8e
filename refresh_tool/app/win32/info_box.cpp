#include "app/win32/info_box.h"

#include <windows.h>

namespace qv::win32 {

void Win32InfoBox::Show(const std::wstring& text)
{
    ::MessageBoxW(nullptr, text.c_str(), L"Info", MB_OK);
}

}  // namespace qv::win32
