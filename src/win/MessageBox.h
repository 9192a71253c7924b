// The one way the program shows a message: owned by the window that raises it,
// the executable's base name as caption, one OK button, no icon.
#pragma once

#include <windows.h>

#include <string>

namespace win {

void ShowMessage(HWND owner, const std::wstring& text);

// For the rare fixed message that carries its own caption.
void ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption);

}  // namespace win
