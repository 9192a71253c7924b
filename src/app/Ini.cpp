#include "app/Ini.h"

#include <climits>
#include <cwchar>
#include <string_view>

#include "win/Handles.h"
#include "win/Text.h"

namespace ini {
namespace {

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

// UTF-8 text after its mark: well-formed, no NUL.
bool IsUtf8Text(std::string_view bytes)
{
    if (bytes.empty()) return true;
    if (bytes.size() > static_cast<size_t>(INT_MAX) || bytes.find('\0') != std::string_view::npos) return false;
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// Whether the file's bytes are text as a profile service reads them.
bool IsText(std::string_view bytes)
{
    if (HasPrefix(bytes, "\xFF\xFE") || HasPrefix(bytes, "\xFE\xFF")) return IsUtf16Text(bytes.substr(2));
    if (HasPrefix(bytes, "\xEF\xBB\xBF")) return IsUtf8Text(bytes.substr(3));
    // Without a mark the text is in whatever code page wrote it, which the
    // program cannot know; only a NUL byte marks it as no text at all.
    return bytes.find('\0') == std::string_view::npos;
}

}  // namespace

bool CanRewrite(const std::wstring& file)
{
    win::KernelHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.Get(), &size)) return true;
    if (size.QuadPart == 0) return true;
    // Mapped rather than read, so that a file of any size is looked at
    // without a copy; one that cannot be looked at is not vouched for.
    win::KernelHandle mapping(::CreateFileMappingW(handle.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return false;
    win::MappedView view(::MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return false;
    return IsText(std::string_view(static_cast<const char*>(view.Get()), static_cast<size_t>(size.QuadPart)));
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

bool Writer::Text(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    if (!checked_) {
        if (!CanRewrite(file_)) return false;
        checked_ = true;
    }
    return ::WritePrivateProfileStringW(section, key, value.c_str(), file_.c_str()) != FALSE;
}

bool Writer::Int(const wchar_t* section, const wchar_t* key, int value)
{
    return Text(section, key, win::FormatInt(value));
}

bool WriteText(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return Writer(file).Text(section, key, value);
}

}  // namespace ini

namespace ini {

bool ReadSection(const std::wstring& file, const wchar_t* section, std::wstring& lines)
{
    // A cut list comes back as capacity - 2 characters, whatever was cut.
    constexpr DWORD kLargest = 1u << 22;
    for (DWORD capacity = 1u << 14; capacity <= kLargest; capacity *= 4) {
        lines.assign(capacity, L'\0');
        const DWORD length = ::GetPrivateProfileSectionW(section, lines.data(), capacity, file.c_str());
        if (length + 2 < capacity) {
            lines.resize(length);
            return true;
        }
    }
    lines.clear();
    return false;
}

}  // namespace ini
