#include "i18n/TextTable.h"

#include "i18n/LanguageFile.h"
#include "ini/Ini.h"
#include "resource.h"
#include "win/Text.h"

namespace text {

const Caption kMainCaptions[28] = {
    {IDC_GROUP_SCROLL, {L"ScrollPage", L"Smooth Scroll"}},
    {IDC_RADIO_SCROLL_ON, {L"Enable", L"&Enable"}},
    {IDC_RADIO_SCROLL_OFF, {L"Disable", L"&Disable"}},
    {IDC_LABEL_FOREPART, {L"ForepartSmoothness", L"&Forepart Smoothness (0-100):"}},
    {IDC_LABEL_END, {L"EndSmoothness", L"E&nd Smoothness (0-100):"}},
    {IDC_LABEL_ACCEL, {L"Acceleration", L"&Acceleration (0-450):"}},
    {IDC_LABEL_STEP, {L"StepSize", L"Step Si&ze (0-300):"}},
    {IDC_RESET_SCROLL, {L"ResetSmoothScrollValues", L"Reset to Default &Values"}},
    {IDC_LABEL_ACCOUNT, {L"SelectNvAccount", L"Select &Nerovia Account:"}},
    {IDC_GROUP_NEWTAB, {L"CreateNewTab", L"Open in New Tab"}},
    {IDC_CHECK_ADDRESSBAR, {L"AddressBar", L"Address &Bar (Smart Address Bar excluded)"}},
    {IDC_CHECK_SEARCHBAR, {L"SearchBar", L"Searc&h Bar"}},
    {IDC_CHECK_FAVORITES, {L"Favorites", L"Favorites Lin&ks"}},
    {IDC_GROUP_FONT, {L"Font", L"Default Page Fonts"}},
    {IDC_LABEL_SERIF, {L"SerifFontFamily", L"&Serif Font:"}},
    {IDC_LABEL_SANSSERIF, {L"SansSerifFontFamily", L"Sans-Ser&if Font:"}},
    {IDC_LABEL_STANDARD, {L"StandardFontFamily", L"S&tandard Font:"}},
    {IDC_LABEL_FIXED, {L"FixedFontFamily", L"Fixed-&Width Font:"}},
    {IDC_LABEL_CURSIVE, {L"CursiveFontFamily", L"&Cursive Font:"}},
    {IDC_LABEL_FANTASY, {L"FantasyFontFamily", L"Fantas&y Font:"}},
    {IDC_CHECK_SETALL, {L"SetAllFonts", L"Set A&ll Fonts to:"}},
    {IDC_LABEL_DEFAULTSIZE, {L"DefaultFontSize", L"Default F&ont Size:"}},
    {IDC_LABEL_FIXEDSIZE, {L"DefaultFixedFontSize", L"Default Fi&xed-Width Font Size:"}},
    {IDC_LABEL_MINSIZE, {L"MinimumFontSize", L"Minim&um Font Size:"}},
    {IDC_LABEL_MINLOGICALSIZE, {L"MinimumLogicalFontSize", L"Minimum Lo&gical Font Size:"}},
    {IDC_RESET_FONTS, {L"ResetFontSettings", L"&Reset to Default Settings"}},
    {IDOK, {L"OK", L"OK"}},
    {IDC_APPLY, {L"Apply", L"A&pply"}},
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

StoredTexts LoadStoredTexts(const LanguageFile& file)
{
    StoredTexts t;
    t.cancel = file.Get(kCancel);
    t.close = file.Get(kClose);
    t.settingsFileMissing = file.Get(kSettingsFileMissing);
    t.reinstall = file.Get(kReinstall);
    t.getAccountFailed = file.Get(kGetAccountFailed);
    t.userConfigFileMissing = file.Get(kUserConfigFileMissing);
    t.valueOutOfRange = file.Get(kValueOutOfRange);
    t.nv3Running = file.Get(kNV3Running);
    t.enterInteger = file.Get(kEnterInteger);
    t.enterIntegerInRange = file.Get(kEnterIntegerInRange);
    t.saveFailed = file.Get(kSaveFailed);
    t.selectSetAllFont = file.Get(kSelectSetAllFont);
    // Face lists
    t.notInstalled = file.Get(kNotInstalled);
    // Profiles
    t.profileFilter = file.Get(kProfileFilter);
    t.allFilesFilter = file.Get(kAllFilesFilter);
    t.profileUnreadable = file.Get(kProfileUnreadable);
    t.profileInvalid = file.Get(kProfileInvalid);
    t.profileEmpty = file.Get(kProfileEmpty);
    t.writeFailed = file.Get(kWriteFailed);
    // Saves
    t.faceNotSaved = file.Get(kFaceNotSaved);
    t.savedFiles = file.Get(kSavedFiles);
    t.notSavedFiles = file.Get(kNotSavedFiles);
    t.folderBusy = file.Get(kFolderBusy, kExitCodesCapacity);
    t.folderBusyUnknown = file.Get(kFolderBusyUnknown);
    t.backupOtherFolder = file.Get(kBackupOtherFolder, kExitCodesCapacity);
    return t;
}

std::vector<std::wstring> PartialSaveLines(const StoredTexts& texts, const std::vector<std::wstring>& saved,
                                           const std::vector<std::wstring>& notSaved)
{
    const auto list = [](const std::vector<std::wstring>& files) {
        std::wstring joined;
        for (const std::wstring& file : files) joined += (joined.empty() ? L"" : L", ") + file;
        return joined;
    };
    return {texts.saveFailed, win::FormatPlaceholders(texts.savedFiles, {list(saved)}),
            win::FormatPlaceholders(texts.notSavedFiles, {list(notSaved)})};
}

// Explanations, keyboard and translations
namespace {
constexpr Key kTipScrollPage{L"TipScrollPage",
                             L"Scrolls pages gently when you turn the mouse wheel, instead of in jumps. On by default; "
                             L"the four values below are saved only while it is on."};
constexpr Key kTipForepart{L"TipForepartSmoothness",
                           L"How gently a scroll starts: the higher, the softer the start. 0 to 100, 20 by default."};
constexpr Key kTipEnd{L"TipEndSmoothness",
                      L"How gently a scroll comes to rest: the higher, the longer it glides. 0 to 100, 50 by default."};
constexpr Key kTipAccel{L"TipAcceleration",
                        L"How much farther the page goes when you turn the wheel quickly. 0 to 450, 4 by default."};
constexpr Key kTipStep{L"TipStepSize", L"How far one turn of the wheel scrolls the page. 0 to 300, 140 by default."};
constexpr Key kTipResetScroll{L"TipResetSmoothScrollValues",
                              L"Puts back the four default values: 20, 50, 4 and 140. Nothing is saved until OK or "
                              L"Apply."};
constexpr Key kTipAccount{L"TipSelectNvAccount",
                          L"The browser account whose three new-tab switches are shown and saved. Smooth scrolling "
                          L"and page fonts are the same for every account."};
constexpr Key kTipAddressBar{L"TipAddressBar",
                             L"Opens an address typed into the address bar in a new tab (not the smart address "
                             L"bar's). Off by default."};
constexpr Key kTipSearchBar{L"TipSearchBar", L"Opens the results of a search from the search bar in a new tab. On by "
                                             L"default."};
constexpr Key kTipFavorites{L"TipFavorites", L"Opens a link chosen from the favorites in a new tab. On by default."};
constexpr Key kTipSerif{L"TipSerifFontFamily",
                        L"The font for text that a page asks to show in a serif face. Times New Roman by default."};
constexpr Key kTipSansSerif{L"TipSansSerifFontFamily",
                            L"The font for text that a page asks to show in a sans-serif face. Arial by default."};
constexpr Key kTipStandard{L"TipStandardFontFamily",
                           L"The font for text whose page names no font. Times New Roman by default."};
constexpr Key kTipFixed{L"TipFixedFontFamily",
                        L"The font for fixed-width text, such as program code. Courier by default."};
constexpr Key kTipCursive{L"TipCursiveFontFamily",
                          L"The font for text that a page asks to show in a handwriting (cursive) face. Comic Sans MS "
                          L"by default."};
constexpr Key kTipFantasy{L"TipFantasyFontFamily",
                          L"The font for text that a page asks to show in a decorative (fantasy) face. Impact by "
                          L"default."};
constexpr Key kTipSetAll{L"TipSetAllFonts",
                         L"Saves the one font chosen here for all six kinds of text above. Off by default."};
constexpr Key kTipDefaultSize{L"TipDefaultFontSize",
                              L"The size of text whose page sets no size. 1 to 99, 16 by default."};
constexpr Key kTipFixedSize{L"TipDefaultFixedFontSize",
                            L"The size of fixed-width text whose page sets no size. 1 to 99, 13 by default."};
constexpr Key kTipMinSize{L"TipMinimumFontSize",
                          L"No text is shown smaller than this, whatever the page asks. 1 to 99, 1 by default."};
constexpr Key kTipMinLogicalSize{L"TipMinimumLogicalFontSize",
                                 L"Text that a page makes smaller relative to other text stops shrinking at this "
                                 L"size; sizes the page gives exactly may go below. 1 to 99, 9 by default."};
constexpr Key kTipResetFonts{L"TipResetFontSettings",
                             L"Puts back the default fonts and sizes and clears the one-font choice. Nothing is "
                             L"saved until OK or Apply."};
}  // namespace

const Caption kMainTips[47] = {
    {IDC_RADIO_SCROLL_ON, kTipScrollPage},
    {IDC_RADIO_SCROLL_OFF, kTipScrollPage},
    {IDC_LABEL_FOREPART, kTipForepart},
    {IDC_EDIT_FOREPART, kTipForepart},
    {IDC_SPIN_FOREPART, kTipForepart},
    {IDC_LABEL_END, kTipEnd},
    {IDC_EDIT_END, kTipEnd},
    {IDC_SPIN_END, kTipEnd},
    {IDC_LABEL_ACCEL, kTipAccel},
    {IDC_EDIT_ACCEL, kTipAccel},
    {IDC_SPIN_ACCEL, kTipAccel},
    {IDC_LABEL_STEP, kTipStep},
    {IDC_EDIT_STEP, kTipStep},
    {IDC_SPIN_STEP, kTipStep},
    {IDC_RESET_SCROLL, kTipResetScroll},
    {IDC_LABEL_ACCOUNT, kTipAccount},
    {IDC_ACCOUNT_LIST, kTipAccount},
    {IDC_CHECK_ADDRESSBAR, kTipAddressBar},
    {IDC_CHECK_SEARCHBAR, kTipSearchBar},
    {IDC_CHECK_FAVORITES, kTipFavorites},
    {IDC_LABEL_SERIF, kTipSerif},
    {IDC_FACE_SERIF, kTipSerif},
    {IDC_LABEL_SANSSERIF, kTipSansSerif},
    {IDC_FACE_SANSSERIF, kTipSansSerif},
    {IDC_LABEL_STANDARD, kTipStandard},
    {IDC_FACE_STANDARD, kTipStandard},
    {IDC_LABEL_FIXED, kTipFixed},
    {IDC_FACE_FIXED, kTipFixed},
    {IDC_LABEL_CURSIVE, kTipCursive},
    {IDC_FACE_CURSIVE, kTipCursive},
    {IDC_LABEL_FANTASY, kTipFantasy},
    {IDC_FACE_FANTASY, kTipFantasy},
    {IDC_CHECK_SETALL, kTipSetAll},
    {IDC_FACE_SETALL, kTipSetAll},
    {IDC_LABEL_DEFAULTSIZE, kTipDefaultSize},
    {IDC_EDIT_DEFAULTSIZE, kTipDefaultSize},
    {IDC_SPIN_DEFAULTSIZE, kTipDefaultSize},
    {IDC_LABEL_FIXEDSIZE, kTipFixedSize},
    {IDC_EDIT_FIXEDSIZE, kTipFixedSize},
    {IDC_SPIN_FIXEDSIZE, kTipFixedSize},
    {IDC_LABEL_MINSIZE, kTipMinSize},
    {IDC_EDIT_MINSIZE, kTipMinSize},
    {IDC_SPIN_MINSIZE, kTipMinSize},
    {IDC_LABEL_MINLOGICALSIZE, kTipMinLogicalSize},
    {IDC_EDIT_MINLOGICALSIZE, kTipMinLogicalSize},
    {IDC_SPIN_MINLOGICALSIZE, kTipMinLogicalSize},
    {IDC_RESET_FONTS, kTipResetFonts},
};

std::wstring WithoutAccessKey(const std::wstring& caption)
{
    std::wstring plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        // "(&S)": the East Asian form stands apart from the text, so it goes whole.
        if (caption[i] == L'(' && i + 3 < caption.size() && caption[i + 1] == L'&' && caption[i + 3] == L')') {
            i += 3;
            continue;
        }
        if (caption[i] == L'&') {
            ++i;  // the mark goes; of "&&" one stays
            if (i < caption.size()) plain += caption[i];
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

StoredTexts LoadStoredTexts(const std::wstring& languageFile)
{
    return LoadStoredTexts(LanguageFile(languageFile));
}

}  // namespace text
