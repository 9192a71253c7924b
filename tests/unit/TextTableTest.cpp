// Language texts: lookup rules and the stored texts.
#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "i18n/TextTable.h"

using namespace velltune::test;

namespace {

TEST(LanguageText, MissingFileOrKeyGivesTheEnglishDefault)
{
    TempDir dir;
    EXPECT_EQ(text::Get(dir / L"none.ini", text::kReinstall), L"Please reinstall Nerovia 3!");

    const std::wstring file = dir / L"German.ini";
    WriteFileBytes(file, Utf16LeFileBytes(L"[General]\r\nClose=Schließen\r\n"));
    EXPECT_EQ(text::Get(file, text::kClose), L"Schließen");
    EXPECT_EQ(text::Get(file, text::kCancel), L"Cancel");
    // Only section General counts.
    WriteFileBytes(file, Utf16LeFileBytes(L"[Other]\r\nClose=Zu\r\n"));
    EXPECT_EQ(text::Get(file, text::kClose), L"Close");
}

TEST(LanguageText, ValuesAreTakenLiterallyAndCutToCapacity)
{
    TempDir dir;
    const std::wstring file = dir / L"Test.ini";
    WriteFileBytes(file, Utf16LeFileBytes(L"[General]\r\nClose=\r\nReinstall=Line one\\nLine two\r\nMenu=" +
                                          std::wstring(300, L'M') + L"\r\nSpecifyDataFolder=" + std::wstring(200, L'S') +
                                          L"\r\n"));

    EXPECT_EQ(text::Get(file, text::kClose), L"");
    EXPECT_EQ(text::Get(file, text::kReinstall), L"Line one\\nLine two");
    EXPECT_EQ(text::Get(file, text::kMenu), std::wstring(255, L'M'));
    EXPECT_EQ(text::Get(file, text::kSpecifyDataFolder, text::kDataFolderCapacity), std::wstring(127, L'S'));
}

TEST(LanguageText, StoredTextsComeFromTheFileWithDefaultsForTheRest)
{
    TempDir dir;
    const std::wstring file = dir / L"French.ini";
    WriteFileBytes(file, Utf16LeFileBytes(L"[General]\r\nCancel=Annuler\r\nEnterIntegerInRange=Entre %2 et %1\r\n"));

    const text::StoredTexts t = text::LoadStoredTexts(file);
    EXPECT_EQ(t.cancel, L"Annuler");
    EXPECT_EQ(t.close, L"Close");
    EXPECT_EQ(t.enterIntegerInRange, L"Entre %2 et %1");
    EXPECT_EQ(t.nv3Running,
              L"Settings cannot be saved while Nerovia 3 is running.\n\nPlease exit Nerovia 3 and try again later.");
    EXPECT_EQ(text::Join(t.settingsFileMissing, t.reinstall),
              L"Cannot find Nerovia 3 settings file.\n\nPlease reinstall Nerovia 3!");
}

TEST(LanguageText, CaptionTableNamesEachControlAndKeyOnce)
{
    std::set<int> ids;
    std::set<std::wstring> keys;
    for (const auto& c : text::kMainCaptions) {
        ids.insert(c.controlId);
        keys.insert(c.key.name);
    }
    EXPECT_EQ(ids.size(), std::size(text::kMainCaptions));
    EXPECT_EQ(keys.size(), std::size(text::kMainCaptions));
}

TEST(LanguageText, TitlesAndMessagesShowCaptionsWithoutTheirAccessKey)
{
    const struct {
        const wchar_t* caption;
        const wchar_t* plain;
    } cases[] = {
        {L"&About", L"About"},
        {L"\u00c0 &propos de", L"\u00c0 propos de"},
        {L"Salt && &Pepper", L"Salt & Pepper"},
        {L"\u5173\u4e8e(&A)", L"\u5173\u4e8e"},
        {L"\u8bbe\u7f6e(&D)...", L"\u8bbe\u7f6e..."},
        {L"(A) stays", L"(A) stays"},
        {L"Plain", L"Plain"},
    };
    for (const auto& c : cases) EXPECT_EQ(text::WithoutAccessKey(c.caption), c.plain) << Utf8(c.caption);
}

}  // namespace

