#include "profile/Profile.h"

#include <windows.h>

#include <climits>

#include "browser/SmoothScrollSettings.h"
#include "ini/Ini.h"
#include "win/Files.h"
#include "win/Handles.h"

namespace profile {
namespace {

// Enough to see that a face or a number is too long; a longer value is cut
// here and still fails its check.
constexpr DWORD kValueCapacity = 1024;
constexpr size_t kShownLength = 60;
// Past this a number is out of every range; more digits change nothing.
constexpr long long kNumberCeiling = 1'000'000'000'000LL;
// A profile holds a few dozen lines; far larger files are not read at all.
constexpr LONGLONG kLargestProfile = 64LL * 1024 * 1024;

// The key's value, or nothing when the key is absent. No value equals both
// defaults, so two reads tell an absent key from any value.
std::optional<std::wstring> Value(const std::wstring& file, const wchar_t* section, const wchar_t* key)
{
    std::wstring value = ini::ReadText(file, section, key, L"0", kValueCapacity);
    if (value != L"0") return value;
    if (ini::ReadText(file, section, key, L"1", kValueCapacity) == L"1") return std::nullopt;
    return value;
}

// A whole number as "%d" writes it, with an optional sign; nothing else.
std::optional<long long> WholeNumber(const std::wstring& text)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ++i;
    if (i == text.size()) return std::nullopt;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        if (number < kNumberCeiling) number = number * 10 + (text[i] - L'0');
    }
    return negative ? -number : number;
}

std::optional<int> NumberIn(const std::wstring& text, int minValue, int maxValue)
{
    const std::optional<long long> number = WholeNumber(text);
    if (!number || *number < minValue || *number > maxValue) return std::nullopt;
    return static_cast<int>(*number);
}

std::optional<bool> Switch(const std::wstring& text, const wchar_t* on, const wchar_t* off)
{
    if (text == on) return true;
    if (text == off) return false;
    return std::nullopt;
}

// Text without a mark whose bytes beyond ASCII read as UTF-8: the profile
// service would take it in the ANSI code page and garble every such name.
bool IsUnmarkedUtf8(const std::string& bytes)
{
    if (ini::MarkOf(bytes) != ini::Mark::None) return false;
    bool beyondAscii = false;
    for (char c : bytes) beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    return beyondAscii && bytes.size() <= static_cast<size_t>(INT_MAX) &&
           ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// Opened for reading as the profile service would, and text it reads as written.
bool IsReadableText(const std::wstring& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    win::KernelHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.Get(), &size) || size.QuadPart > kLargestProfile) return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && (!::ReadFile(handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        return false;
    return ini::CanRewrite(file) && !IsUnmarkedUtf8(bytes);
}

// Reads the profile's keys in order; the first bad value ends the reading.
class Reader {
public:
    Reader(const std::wstring& file, BadValue& bad) : file_(file), bad_(bad) {}

    // The checked value, or nothing when the key is absent or its value bad.
    template <class T, class Check>
    std::optional<T> Take(const wchar_t* section, const wchar_t* key, Check check)
    {
        if (failed_) return std::nullopt;
        const std::optional<std::wstring> text = Value(file_, section, key);
        if (!text) return std::nullopt;
        found_ = true;
        std::optional<T> value = check(*text);
        if (!value) {
            failed_ = true;
            bad_ = {section, key, *text};
        }
        return value;
    }

    bool Failed() const { return failed_; }
    bool Found() const { return found_; }

private:
    const std::wstring& file_;
    BadValue& bad_;
    bool failed_ = false;
    bool found_ = false;
};

void Line(std::wstring& text, const wchar_t* key, const std::wstring& value)
{
    text += key;
    text += L'=';
    text += value;
    text += L"\r\n";
}

void Section(std::wstring& text, const wchar_t* name)
{
    text += L'[';
    text += name;
    text += L"]\r\n";
}

std::wstring FolderOf(const std::wstring& file)
{
    const size_t slash = file.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : file.substr(0, slash + 1);
}

}  // namespace

bool Profile::HasNewTab() const
{
    for (const std::optional<bool>& box : newTab)
        if (box) return true;
    return false;
}

bool Profile::HasEngineKeys() const
{
    if (smoothScroll) return true;
    for (const auto& v : scroll)
        if (v) return true;
    for (const auto& f : faces)
        if (f) return true;
    for (const auto& s : sizes)
        if (s) return true;
    return false;
}

Profile EngineKeys(Profile p)
{
    for (auto& value : p.newTab) value.reset();
    return p;
}

Profile NewTabKeys(Profile p)
{
    Profile switches;
    for (int i = 0; i < 3; ++i) switches.newTab[i] = p.newTab[i];
    return switches;
}

std::optional<std::wstring> ReadValue(const std::wstring& file, const wchar_t* section, const wchar_t* key)
{
    return Value(file, section, key);
}

ReadResult Read(const std::wstring& file, Profile& profile, BadValue& bad)
{
    profile = Profile{};
    if (!IsReadableText(file)) return ReadResult::Unreadable;

    Reader r(file, bad);
    // Another version may mean other things by the same keys.
    r.Take<bool>(kVersionSection, kVersionKey,
                 [](const std::wstring& t) { return t == kVersion ? std::optional<bool>(true) : std::nullopt; });
    profile.smoothScroll = r.Take<bool>(browser::kScrollSection, browser::kSmoothlyKey,
                                        [](const std::wstring& t) { return Switch(t, L"true", L"false"); });
    for (int i = 0; i < 4; ++i) {
        const int maxValue = browser::kScrollFields[i].maxValue;
        profile.scroll[i] = r.Take<int>(browser::kScrollSection, browser::kScrollFields[i].key,
                                        [maxValue](const std::wstring& t) { return NumberIn(t, 0, maxValue); });
    }
    for (int role = 0; role < fonts::kFaceRoleCount; ++role)
        profile.faces[role] = r.Take<std::wstring>(fonts::kFontSection, fonts::kFaceKeys[role].key, [](const std::wstring& t) {
            return t.empty() || t.size() > kMaxFaceLength ? std::nullopt : std::optional<std::wstring>(t);
        });
    for (int i = 0; i < 4; ++i)
        profile.sizes[i] = r.Take<int>(fonts::kFontSection, fonts::kSizeKeys[i].key, [](const std::wstring& t) {
            return NumberIn(t, fonts::kMinFontSize, fonts::kMaxFontSize);
        });
    for (int i = 0; i < 3; ++i)
        profile.newTab[i] = r.Take<bool>(browser::kNewTabSection, browser::kNewTabKeys[i],
                                         [](const std::wstring& t) { return Switch(t, L"1", L"0"); });

    if (r.Failed()) {
        profile = Profile{};
        return ReadResult::Invalid;
    }
    return r.Found() ? ReadResult::Read : ReadResult::NoSettings;
}

std::wstring Render(const Profile& p)
{
    std::wstring text;
    Section(text, kVersionSection);
    Line(text, kVersionKey, kVersion);

    bool open = false;
    const auto scrollSection = [&] {
        if (!std::exchange(open, true)) Section(text, browser::kScrollSection);
    };
    if (p.smoothScroll) {
        scrollSection();
        Line(text, browser::kSmoothlyKey, *p.smoothScroll ? L"true" : L"false");
    }
    for (int i = 0; i < 4; ++i)
        if (p.scroll[i]) {
            scrollSection();
            Line(text, browser::kScrollFields[i].key, std::to_wstring(*p.scroll[i]));
        }

    open = false;
    const auto fontSection = [&] {
        if (!std::exchange(open, true)) Section(text, fonts::kFontSection);
    };
    for (int role = 0; role < fonts::kFaceRoleCount; ++role)
        if (p.faces[role]) {
            fontSection();
            Line(text, fonts::kFaceKeys[role].key, *p.faces[role]);
        }
    for (int i = 0; i < 4; ++i)
        if (p.sizes[i]) {
            fontSection();
            Line(text, fonts::kSizeKeys[i].key, std::to_wstring(*p.sizes[i]));
        }

    if (p.HasNewTab()) Section(text, browser::kNewTabSection);
    for (int i = 0; i < 3; ++i)
        if (p.newTab[i]) Line(text, browser::kNewTabKeys[i], *p.newTab[i] ? L"1" : L"0");
    return text;
}

bool Write(const std::wstring& file, const Profile& profile)
{
    const std::wstring text = Render(profile);
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));

    // Written beside the file and moved over it, so that a failed write
    // leaves an earlier profile of that name whole.
    wchar_t temp[MAX_PATH] = {};
    if (!::GetTempFileNameW(FolderOf(file).c_str(), L"vlt", 0, temp)) return false;
    if (win::WriteWholeFile(temp, bytes) && ::MoveFileExW(temp, file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(temp);
    return false;
}

std::wstring Shortened(const std::wstring& value)
{
    if (value.size() <= kShownLength) return value;
    return value.substr(0, kShownLength - 3) + L"...";
}

}  // namespace profile
