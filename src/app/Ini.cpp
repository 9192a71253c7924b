#include "app/Ini.h"

#include <cwchar>

#include "win/Text.h"

namespace ini {

std::wstring ReadText(const std::wstring& file, const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                      DWORD capacity)
{
    if (capacity == 0) return {};
    std::wstring buffer(capacity, L'\0');
    ::GetPrivateProfileStringW(section, key, defaultText ? defaultText : L"", buffer.data(), capacity, file.c_str());
    buffer.resize(std::wcslen(buffer.c_str()));
    return buffer;
}

int ReadInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntW(section, key, defaultValue, file.c_str()));
}

bool WriteText(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return ::WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()) != FALSE;
}

bool WriteInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int value)
{
    return WriteText(file, section, key, win::FormatInt(value));
}

}  // namespace ini
