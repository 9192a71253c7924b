#include "i18n/TextTable.h"

#include "app/Ini.h"
#include "resource.h"

namespace text {

const Caption kMainCaptions[28] = {
    {IDC_GROUP_SCROLL, {L"ScrollPage", L"Smooth Scroll"}},
    {IDC_RADIO_SCROLL_ON, {L"Enable", L"Enable"}},
    {IDC_RADIO_SCROLL_OFF, {L"Disable", L"Disable"}},
    {IDC_LABEL_FOREPART, {L"ForepartSmoothness", L"Forepart Smoothness (0-100):"}},
    {IDC_LABEL_END, {L"EndSmoothness", L"End Smoothness (0-100):"}},
    {IDC_LABEL_ACCEL, {L"Acceleration", L"Acceleration (0-450):"}},
    {IDC_LABEL_STEP, {L"StepSize", L"Step Size (0-300):"}},
    {IDC_RESET_SCROLL, {L"ResetSmoothScrollValues", L"Reset to Default Values"}},
    {IDC_LABEL_ACCOUNT, {L"SelectNvAccount", L"Select Nerovia Account:"}},
    {IDC_GROUP_NEWTAB, {L"CreateNewTab", L"Open in New Tab"}},
    {IDC_CHECK_ADDRESSBAR, {L"AddressBar", L"Address Bar (Smart Address Bar excluded)"}},
    {IDC_CHECK_SEARCHBAR, {L"SearchBar", L"Search Bar"}},
    {IDC_CHECK_FAVORITES, {L"Favorites", L"Favorites Links"}},
    {IDC_GROUP_FONT, {L"Font", L"Default Page Fonts"}},
    {IDC_LABEL_SERIF, {L"SerifFontFamily", L"Serif Font:"}},
    {IDC_LABEL_SANSSERIF, {L"SansSerifFontFamily", L"Sans-Serif Font:"}},
    {IDC_LABEL_STANDARD, {L"StandardFontFamily", L"Standard Font:"}},
    {IDC_LABEL_FIXED, {L"FixedFontFamily", L"Fixed-Width Font:"}},
    {IDC_LABEL_CURSIVE, {L"CursiveFontFamily", L"Cursive Font:"}},
    {IDC_LABEL_FANTASY, {L"FantasyFontFamily", L"Fantasy Font:"}},
    {IDC_CHECK_SETALL, {L"SetAllFonts", L"Set All Fonts to:"}},
    {IDC_LABEL_DEFAULTSIZE, {L"DefaultFontSize", L"Default Font Size:"}},
    {IDC_LABEL_FIXEDSIZE, {L"DefaultFixedFontSize", L"Default Fixed-Width Font Size:"}},
    {IDC_LABEL_MINSIZE, {L"MinimumFontSize", L"Minimum Font Size:"}},
    {IDC_LABEL_MINLOGICALSIZE, {L"MinimumLogicalFontSize", L"Minimum Logical Font Size:"}},
    {IDC_RESET_FONTS, {L"ResetFontSettings", L"Reset to Default Settings"}},
    {IDOK, {L"OK", L"OK"}},
    {IDC_APPLY, {L"Apply", L"Apply"}},
};

std::wstring GetLanguageText(const std::wstring& languageFile, const wchar_t* key, const wchar_t* englishDefault,
                             DWORD capacity)
{
    return ini::ReadText(languageFile, kSection, key, englishDefault, capacity);
}

std::wstring Get(const std::wstring& languageFile, const Key& key, DWORD capacity)
{
    return GetLanguageText(languageFile, key.name, key.english, capacity);
}

std::wstring Join(const std::wstring& first, const std::wstring& second)
{
    return first + L"\n\n" + second;
}

StoredTexts LoadStoredTexts(const std::wstring& languageFile)
{
    StoredTexts t;
    t.cancel = Get(languageFile, kCancel);
    t.close = Get(languageFile, kClose);
    t.settingsFileMissing = Get(languageFile, kSettingsFileMissing);
    t.reinstall = Get(languageFile, kReinstall);
    t.getAccountFailed = Get(languageFile, kGetAccountFailed);
    t.userConfigFileMissing = Get(languageFile, kUserConfigFileMissing);
    t.valueOutOfRange = Get(languageFile, kValueOutOfRange);
    t.nv3Running = Get(languageFile, kNV3Running);
    t.enterInteger = Get(languageFile, kEnterInteger);
    t.enterIntegerInRange = Get(languageFile, kEnterIntegerInRange);
    t.saveFailed = Get(languageFile, kSaveFailed);
    t.selectSetAllFont = Get(languageFile, kSelectSetAllFont);
    // Profiles
    t.profileFilter = Get(languageFile, kProfileFilter);
    t.allFilesFilter = Get(languageFile, kAllFilesFilter);
    t.profileUnreadable = Get(languageFile, kProfileUnreadable);
    t.profileInvalid = Get(languageFile, kProfileInvalid);
    t.profileEmpty = Get(languageFile, kProfileEmpty);
    t.writeFailed = Get(languageFile, kWriteFailed);
    return t;
}

}  // namespace text
