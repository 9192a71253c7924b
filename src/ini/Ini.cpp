#include "ini/Ini.h"

#include <climits>
#include <cwchar>
#include <string_view>

#include "win/Files.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace ini {
namespace {

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
    const Mark mark = MarkOf(bytes);
    switch (mark) {
    case Mark::Utf16Le:
    case Mark::Utf16Be:
        return IsUtf16Text(bytes.substr(MarkLength(mark)));
    case Mark::Utf8:
        return IsUtf8Text(bytes.substr(MarkLength(mark)));
    case Mark::None:
        break;
    }
    // Without a mark the text is in whatever code page wrote it, which the
    // program cannot know; only a NUL byte marks it as no text at all.
    return bytes.find('\0') == std::string_view::npos;
}

constexpr char kUtf16Mark[] = "\xFF\xFE";

// Whether the system's legacy code page holds the text without a stand-in.
bool FitsCodePage(const std::wstring& text)
{
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}

std::string Utf16LeBytes(const std::wstring& text)
{
    std::string bytes(kUtf16Mark, 2);
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

}  // namespace

Mark MarkOf(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE")) return Mark::Utf16Le;
    if (bytes.starts_with("\xFE\xFF")) return Mark::Utf16Be;
    if (bytes.starts_with("\xEF\xBB\xBF")) return Mark::Utf8;
    return Mark::None;
}

size_t MarkLength(Mark mark)
{
    switch (mark) {
    case Mark::Utf16Le:
    case Mark::Utf16Be:
        return 2;
    case Mark::Utf8:
        return 3;
    case Mark::None:
        break;
    }
    return 0;
}

bool CanHold(const std::wstring& file, const std::wstring& text)
{
    if (FitsCodePage(text)) return true;
    char head[3] = {};
    DWORD got = 0;
    win::KernelHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle && ::ReadFile(handle.Get(), head, sizeof head, &got, nullptr) && MarkOf(std::string_view(head, got)) != Mark::None;
}

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

std::vector<std::wstring> ReadKeys(const std::wstring& file, const wchar_t* section)
{
    // With no key named, the service lists them all, each ended by a NUL; a
    // result of capacity - 2 means the list was cut.
    std::wstring buffer(4096, L'\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileStringW(section, nullptr, L"", buffer.data(),
                                                        static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
    std::vector<std::wstring> keys;
    for (size_t start = 0; start < buffer.size();) {
        const size_t end = buffer.find(L'\0', start);
        const size_t stop = end == std::wstring::npos ? buffer.size() : end;
        if (stop > start) keys.push_back(buffer.substr(start, stop - start));
        start = stop + 1;
    }
    return keys;
}

bool CreateUnicodeFile(const std::wstring& file)
{
    win::KernelHandle handle(
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return ::GetLastError() == ERROR_FILE_EXISTS && win::FileExists(file);
    DWORD written = 0;
    return ::WriteFile(handle.Get(), kUtf16Mark, 2, &written, nullptr) && written == 2;
}

bool MakeRoomFor(const std::wstring& file, const std::wstring& value)
{
    if (!win::FileExists(file)) return CreateUnicodeFile(file);
    if (CanHold(file, value)) return true;
    std::string bytes;
    if (!win::ReadWholeFile(file, bytes)) return false;
    if (MarkOf(bytes) != Mark::None) return true;
    std::wstring text;
    if (!bytes.empty()) {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        if (length <= 0) return false;
        text.assign(static_cast<size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    }
    // The same text in the new form, put in place whole so that a failure
    // leaves the old file as it was.
    const std::wstring copy = win::TemporaryPathFor(file);
    if (win::WriteWholeFile(copy, Utf16LeBytes(text)) && win::ReplaceWith(file, copy)) return true;
    ::DeleteFileW(copy.c_str());
    return false;
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
