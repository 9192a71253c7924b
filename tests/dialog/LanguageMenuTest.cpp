// The Language menu of the real main dialog: building it, the start-up
// choice from Settings.ini, and switching languages.
#include "LanguageHarness.h"

#include "i18n/TextTable.h"
#include "resource.h"

using namespace velltune::test;

namespace {

const wchar_t kGerman[] =
    L"LanguageName=Deutsch\r\n"
    L"ScrollPage=Sanftes Scrollen\r\n"
    L"StepSize=Schrittweite (0-300):\r\n"
    L"OK=Gut\r\n"
    L"Apply=Anwenden\r\n"
    L"Cancel=Abbrechen\r\n"
    L"Close=Schlie\u00dfen\r\n"
    L"NV3Running=Nerovia l\u00e4uft.\r\n"
    L"EnterInteger=Ganze Zahl!\r\n"
    L"EnterIntegerInRange=Zwischen %1 und %2!\r\n"
    L"Menu=Men\u00fc\r\n"
    L"SetDataFolder=Datenordner...\r\n"
    L"SetLanguage=Sprache\r\n"
    L"About=\u00dcber\r\n"
    L"Exit=Beenden\r\n";

const wchar_t kFrench[] =
    L"LanguageName=Fran\u00e7ais\r\n"
    L"Cancel=Annuler\r\n"
    L"Close=Fermer\r\n"
    L"SetLanguage=Langue\r\n";

class LanguageMenuTest : public LanguageHarness {
protected:
    // Every caption, stored text and menu text that English shows.
    void ExpectEnglishEverywhere() const
    {
        for (const text::Caption& c : text::kMainCaptions) EXPECT_EQ(Text(c.controlId), c.key.english) << c.controlId;
        EXPECT_EQ(dialog->StoredTexts().nv3Running, text::kNV3Running.english);
        EXPECT_EQ(dialog->EnterIntegerText(), L"Please enter an integer.");
        EXPECT_EQ(ItemText(Bar(), 0), L"&Menu");
        EXPECT_EQ(ItemText(DropDown(), 0), L"Set Nerovia 3 &Data folder...");
        EXPECT_EQ(ItemText(DropDown(), 1), L"&Language");
        EXPECT_EQ(ItemText(DropDown(), 3), L"&Export Settings...");
        EXPECT_EQ(ItemText(DropDown(), 4), L"&Import Settings...");
        EXPECT_EQ(ItemText(DropDown(), 5), L"&Restore Earlier Settings...");
        EXPECT_EQ(ItemText(DropDown(), 7), L"&About");
        EXPECT_EQ(ItemText(DropDown(), 9), L"E&xit");
    }
};

TEST_F(LanguageMenuTest, WithoutLanguageFolderOnlyEnglishIsOfferedAndChecked)
{
    ASSERT_TRUE(Open());
    ASSERT_EQ(::GetMenuItemCount(LanguageMenu()), 1);
    EXPECT_EQ(ItemText(LanguageMenu(), 0), L"English");
    EXPECT_EQ(::GetMenuItemID(LanguageMenu(), 0), 35000u);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{0});
    EXPECT_EQ(dialog->CurrentLanguageIndex(), 0);
    EXPECT_EQ(Text(IDCANCEL), L"Close");
    ExpectEnglishEverywhere();
    EXPECT_EQ(SavedLanguageChoice(), L"English.ini");
}

TEST_F(LanguageMenuTest, EachFileGetsOneItemCaptionedByItsOwnName)
{
    WriteLanguage(L"A.ini", L"LanguageName=Alpha\r\n");
    WriteLanguage(L"B.ini", L"LanguageName=" + std::wstring(25, L'B') + L"\r\n");
    WriteLanguage(L"English.ini", L"LanguageName=Anglais\r\n");
    WriteLanguage(L"NoName.ini", L"Close=Zu\r\n");
    ::CreateDirectoryW((folder.Folder() + L"Language\\Folder.ini").c_str(), nullptr);
    ASSERT_TRUE(Open());

    const auto& names = dialog->Languages();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], L"English.ini");
    ASSERT_EQ(::GetMenuItemCount(LanguageMenu()), 4);
    EXPECT_EQ(ItemText(LanguageMenu(), 0), L"English");
    for (UINT i = 1; i < names.size(); ++i) {
        EXPECT_EQ(::GetMenuItemID(LanguageMenu(), i), 35000 + i);
        const std::wstring caption = ItemText(LanguageMenu(), i);
        if (names[i] == L"A.ini")
            EXPECT_EQ(caption, L"Alpha");
        else if (names[i] == L"B.ini")
            EXPECT_EQ(caption, std::wstring(19, L'B')) << "LanguageName is read with room for 19 characters";
        else
            EXPECT_EQ(caption, L"") << "a file without LanguageName gets an empty item";
    }
}

TEST_F(LanguageMenuTest, SavedChoiceIsAppliedAndCheckedAtStart)
{
    WriteLanguage(L"French.ini", kFrench);
    WriteLanguage(L"German.ini", kGerman);
    SaveLanguageChoice(L"German.ini");
    ASSERT_TRUE(Open());

    const int german = IndexOf(L"German.ini");
    EXPECT_EQ(dialog->CurrentLanguageIndex(), german);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{german});
    EXPECT_EQ(Text(IDC_GROUP_SCROLL), L"Sanftes Scrollen");
    EXPECT_EQ(Text(IDC_LABEL_ACCOUNT), L"Select &Nerovia Account:");
    EXPECT_EQ(Text(IDOK), L"Gut");
    EXPECT_EQ(Text(IDC_APPLY), L"Anwenden");
    // The dialog opens clean: button 2 reads the Close text of the language.
    EXPECT_EQ(Text(IDCANCEL), L"Schlie\u00dfen");
    EXPECT_EQ(ItemText(DropDown(), 1), L"Language / Sprache");
    EXPECT_EQ(SavedLanguageChoice(), L"German.ini");
}

TEST_F(LanguageMenuTest, ALongSavedFileNameIsRememberedAcrossStarts)
{
    const std::wstring name = L"Deutsch (Schweiz, Liechtenstein).ini";
    ASSERT_GE(name.size(), 30u);
    WriteLanguage(name, kGerman);
    ASSERT_TRUE(Open());
    Choose(name);
    ASSERT_EQ(SavedLanguageChoice(), name);
    dialog.reset();

    ASSERT_TRUE(Open());
    EXPECT_EQ(dialog->CurrentLanguageIndex(), IndexOf(name));
    EXPECT_EQ(Text(IDOK), L"Gut");
}

TEST_F(LanguageMenuTest, SavedChoiceWithoutItsFileFallsBackAndIsOverwritten)
{
    WriteLanguage(L"French.ini", kFrench);
    SaveLanguageChoice(L"Gone.ini");
    ASSERT_TRUE(Open());
    EXPECT_EQ(dialog->CurrentLanguageIndex(), 0);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{0});
    ExpectEnglishEverywhere();
    EXPECT_EQ(SavedLanguageChoice(), L"English.ini");
}

TEST_F(LanguageMenuTest, SwitchingAppliesEveryTextAndMovesTheCheckMark)
{
    WriteLanguage(L"German.ini", kGerman);
    ASSERT_TRUE(Open());
    const int languageItems = ::GetMenuItemCount(LanguageMenu());
    Choose(L"German.ini");

    const int german = IndexOf(L"German.ini");
    EXPECT_EQ(dialog->CurrentLanguageIndex(), german);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{german});
    EXPECT_EQ(Text(IDC_GROUP_SCROLL), L"Sanftes Scrollen");
    EXPECT_EQ(Text(IDC_LABEL_STEP), L"Schrittweite (0-300):");
    EXPECT_EQ(Text(IDC_LABEL_END), L"E&nd Smoothness (0-100):") << "keys the file lacks keep English";
    EXPECT_EQ(Text(IDOK), L"Gut");
    EXPECT_EQ(Text(IDCANCEL), L"Schlie\u00dfen");
    EXPECT_EQ(dialog->StoredTexts().nv3Running, L"Nerovia l\u00e4uft.");
    EXPECT_EQ(dialog->StoredTexts().reinstall, L"Please reinstall Nerovia 3!");
    EXPECT_EQ(dialog->EnterIntegerText(), L"Ganze Zahl!");
    EXPECT_EQ(dialog->EnterIntegerInRangeText(), L"Zwischen %1 und %2!");

    EXPECT_EQ(ItemText(Bar(), 0), L"Men\u00fc");
    EXPECT_EQ(ItemText(DropDown(), 0), L"Datenordner...");
    EXPECT_EQ(ItemText(DropDown(), 1), L"Language / Sprache");
    EXPECT_EQ(ItemText(DropDown(), 3), L"&Export Settings...") << "keys the file lacks keep English";
    EXPECT_EQ(ItemText(DropDown(), 5), L"&Restore Earlier Settings...") << "keys the file lacks keep English";
    EXPECT_EQ(ItemText(DropDown(), 7), L"\u00dcber");
    EXPECT_EQ(ItemText(DropDown(), 9), L"Beenden");
    // Renaming kept the drop-downs attached and the commands in place.
    ASSERT_TRUE(LanguageMenu());
    EXPECT_EQ(::GetMenuItemCount(LanguageMenu()), languageItems);
    EXPECT_EQ(::GetMenuItemID(DropDown(), 0), static_cast<UINT>(ID_MENU_SETDATAFOLDER));
    EXPECT_EQ(::GetMenuItemID(DropDown(), 3), static_cast<UINT>(ID_MENU_EXPORT));
    EXPECT_EQ(::GetMenuItemID(DropDown(), 4), static_cast<UINT>(ID_MENU_IMPORT));
    EXPECT_EQ(::GetMenuItemID(DropDown(), 5), static_cast<UINT>(ID_MENU_RESTORE));
    EXPECT_EQ(::GetMenuItemID(DropDown(), 7), static_cast<UINT>(ID_MENU_ABOUT));
    EXPECT_EQ(::GetMenuItemID(DropDown(), 9), static_cast<UINT>(ID_MENU_EXIT));
    EXPECT_EQ(ItemText(LanguageMenu(), 0), L"English") << "item captions never change";

    EXPECT_EQ(SavedLanguageChoice(), L"German.ini");
    EXPECT_FALSE(dialog->IsModified());
    EXPECT_FALSE(::IsWindowEnabled(dialog->Item(IDC_APPLY)));
    wchar_t title[64] = {};
    ::GetWindowTextW(Window(), title, 64);
    EXPECT_STREQ(title, L"Velltune v0.4");

    Command(35000);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{0});
    EXPECT_EQ(Text(IDCANCEL), L"Close");
    ExpectEnglishEverywhere();
    EXPECT_EQ(SavedLanguageChoice(), L"English.ini");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(LanguageMenuTest, SwitchingWhileModifiedKeepsApplyAndShowsTheNewCancel)
{
    WriteLanguage(L"German.ini", kGerman);
    WriteLanguage(L"French.ini", kFrench);
    ASSERT_TRUE(Open());
    dialog->MarkModified();
    Choose(L"German.ini");
    EXPECT_EQ(Text(IDCANCEL), L"Abbrechen");
    EXPECT_TRUE(::IsWindowEnabled(dialog->Item(IDC_APPLY)));
    EXPECT_TRUE(dialog->IsModified());
    Choose(L"French.ini");
    EXPECT_EQ(Text(IDCANCEL), L"Annuler");
    EXPECT_TRUE(::IsWindowEnabled(dialog->Item(IDC_APPLY)));
}

TEST_F(LanguageMenuTest, ChoosingAFileDeletedSinceStartChangesNothing)
{
    const std::wstring french = WriteLanguage(L"French.ini", kFrench);
    WriteLanguage(L"German.ini", kGerman);
    ASSERT_TRUE(Open());
    Choose(L"German.ini");
    ASSERT_TRUE(::DeleteFileW(french.c_str()));

    Choose(L"French.ini");
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{IndexOf(L"German.ini")});
    EXPECT_EQ(dialog->CurrentLanguageIndex(), IndexOf(L"German.ini"));
    EXPECT_EQ(Text(IDCANCEL), L"Schlie\u00dfen");
    EXPECT_EQ(ItemText(DropDown(), 1), L"Language / Sprache");
    EXPECT_EQ(SavedLanguageChoice(), L"German.ini");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(LanguageMenuTest, ChoosingTheCheckedItemRereadsItsFile)
{
    WriteLanguage(L"German.ini", kGerman);
    ASSERT_TRUE(Open());
    Choose(L"German.ini");
    WriteLanguage(L"German.ini", L"Close=Zumachen\r\n");
    SaveLanguageChoice(L"Other.ini");

    Choose(L"German.ini");
    EXPECT_EQ(Text(IDCANCEL), L"Zumachen");
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{IndexOf(L"German.ini")});
    EXPECT_EQ(SavedLanguageChoice(), L"German.ini");
}

TEST_F(LanguageMenuTest, CommandsPastTheLastItemAreIgnored)
{
    WriteLanguage(L"German.ini", kGerman);
    ASSERT_TRUE(Open());
    Command(35000 + static_cast<UINT>(dialog->Languages().size()));
    Command(34999);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{0});
    EXPECT_EQ(dialog->CurrentLanguageIndex(), 0);
    ExpectEnglishEverywhere();
}

TEST_F(LanguageMenuTest, AFileWithOnlyItsNameShowsEnglishUnderATranslatedSubmenu)
{
    WriteLanguage(L"Bare.ini", L"LanguageName=Bare\r\n");
    ASSERT_TRUE(Open());
    Choose(L"Bare.ini");
    for (const text::Caption& c : text::kMainCaptions) EXPECT_EQ(Text(c.controlId), c.key.english);
    EXPECT_EQ(ItemText(DropDown(), 1), L"Language / &Language");
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{IndexOf(L"Bare.ini")});
}

}  // namespace
