#include "browser/SmoothScrollSettings.h"

#include "ini/Ini.h"

namespace browser {
namespace {

// Room for "false" and a little more: a longer value is not "true" either way.
constexpr DWORD kSwitchCapacity = 10;

constexpr const wchar_t* kAddressBarKey = kNewTabKeys[0];
constexpr const wchar_t* kSearchBarKey = kNewTabKeys[1];
constexpr const wchar_t* kFavoriteKey = kNewTabKeys[2];

constexpr unsigned long long kLargestNumber = 4294967295ULL;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

}  // namespace

SmoothScrollSettings SmoothScrollSettings::Load(const std::wstring& engineFile)
{
    SmoothScrollSettings s;
    // The browser writes the switch in lower case; anything else means off.
    s.enabled = ini::ReadText(engineFile, kScrollSection, kSmoothlyKey, L"true", kSwitchCapacity) == L"true";
    for (int i = 0; i < 4; ++i)
        s.values[i] = ini::ReadInt(engineFile, kScrollSection, kScrollFields[i].key, kScrollFields[i].defaultValue);
    return s;
}

bool SmoothScrollSettings::Save(const std::wstring& engineFile) const
{
    ini::Writer file(engineFile);
    if (!file.Text(kScrollSection, kSmoothlyKey, enabled ? L"true" : L"false")) return false;
    // Switched off, the numbers in the file stay as the browser last had them.
    if (!enabled) return true;
    for (int i = 0; i < 4; ++i)
        if (!file.Int(kScrollSection, kScrollFields[i].key, values[i])) return false;
    return true;
}

NewTabSettings NewTabSettings::Load(const std::wstring& configFile)
{
    NewTabSettings s;
    s.addressBar = ini::ReadInt(configFile, kNewTabSection, kAddressBarKey, 0) != 0;
    s.searchBar = ini::ReadInt(configFile, kNewTabSection, kSearchBarKey, 1) != 0;
    s.favorite = ini::ReadInt(configFile, kNewTabSection, kFavoriteKey, 1) != 0;
    return s;
}

bool NewTabSettings::Save(const std::wstring& configFile) const
{
    ini::Writer file(configFile);
    return file.Text(kNewTabSection, kAddressBarKey, addressBar ? L"1" : L"0") &&
           file.Text(kNewTabSection, kSearchBarKey, searchBar ? L"1" : L"0") &&
           file.Text(kNewTabSection, kFavoriteKey, favorite ? L"1" : L"0");
}

FieldDecision CheckScrollField(const std::wstring& text, int maxValue)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t firstDigit = i;
    unsigned long long number = 0;
    bool tooLarge = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        // Once past the largest number the rest of the digits cannot bring it back.
        if (!tooLarge) number = number * 10 + static_cast<unsigned>(text[i] - L'0');
        if (number > kLargestNumber) tooLarge = true;
    }
    if (i == firstDigit || tooLarge) return {FieldAction::ReplaceByDefault, 0};
    if (number > static_cast<unsigned long long>(maxValue)) return {FieldAction::OutOfRange, number};
    return {FieldAction::Accept, number};
}

}  // namespace browser
