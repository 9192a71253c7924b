#include "win/MessageBox.h"

#include "win/Text.h"

namespace win {

void ShowMessage(HWND owner, const std::wstring& text)
{
    ShowMessage(owner, text, ExecutableBaseName());
}

void ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption)
{
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace win
