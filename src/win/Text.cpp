#include "win/Text.h"

#include <cwchar>

namespace win {

std::wstring GetWindowTextString(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring GetItemText(HWND dialog, int id)
{
    return GetWindowTextString(::GetDlgItem(dialog, id));
}

bool SetItemText(HWND dialog, int id, const std::wstring& text)
{
    return ::SetDlgItemTextW(dialog, id, text.c_str()) != FALSE;
}

std::wstring FormatInt(int value)
{
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%d", value);
    return buffer;
}

std::wstring FormatPlaceholders(const std::wstring& pattern, const std::vector<std::wstring>& args)
{
    std::wstring out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9') {
            const size_t index = static_cast<size_t>(pattern[i + 1] - L'1');
            if (index < args.size()) {
                out += args[index];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::wstring ExecutableBaseName()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"Velltune";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace win
