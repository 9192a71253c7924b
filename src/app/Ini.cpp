#include "app/Ini.h"

#include <cwchar>

#include "win/Handles.h"
#include "win/Text.h"

namespace ini {
namespace {

bool ReadWholeFile(const std::wstring& file, std::string& bytes)
{
    win::KernelHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (::ReadFile(handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool HasPrefix(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-16 text after its mark: whole code units, none of them NUL.
bool IsUtf16Text(std::string_view units)
{
    if (units.size() % 2) return false;
    for (size_t i = 0; i < units.size(); i += 2)
        if (units[i] == '\0' && units[i + 1] == '\0') return false;
    return true;
}

// Bytes that decode in the code page and encode back to themselves, no NUL.
bool IsCodePageText(std::string_view bytes, UINT codePage)
{
    if (bytes.empty()) return true;
    if (bytes.find('\0') != std::string_view::npos) return false;
    const int length = static_cast<int>(bytes.size());
    const int characters = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (characters <= 0) return false;
    std::wstring text(static_cast<size_t>(characters), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), characters);
    const int back = ::WideCharToMultiByte(codePage, 0, text.data(), characters, nullptr, 0, nullptr, nullptr);
    if (back != length) return false;
    std::string again(static_cast<size_t>(back), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), characters, again.data(), back, nullptr, nullptr);
    return again == bytes;
}

}  // namespace

bool CanRewrite(const std::wstring& file)
{
    std::string bytes;
    if (!ReadWholeFile(file, bytes)) return true;
    const std::string_view view(bytes);
    if (HasPrefix(view, "\xFF\xFE") || HasPrefix(view, "\xFE\xFF")) return IsUtf16Text(view.substr(2));
    if (HasPrefix(view, "\xEF\xBB\xBF")) return IsCodePageText(view.substr(3), CP_UTF8);
    return IsCodePageText(view, CP_ACP);
}

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
    if (!CanRewrite(file)) return false;
    return ::WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()) != FALSE;
}

bool WriteInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int value)
{
    return WriteText(file, section, key, win::FormatInt(value));
}

}  // namespace ini
