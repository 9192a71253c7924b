// The language list, the system-language choice and the Language submenu caption.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "TestSupport.h"
#include "i18n/Languages.h"

using namespace velltune::test;
using lang::DefaultLanguage;

namespace {

using Names = std::vector<std::wstring>;

TEST(LanguageList, EnglishComesFirstAndTheFolderCopyAddsNoSecondEntry)
{
    const lang::LanguageList list = lang::BuildLanguageList(L"", {L"B.ini", L"English.ini", L"A.ini"});
    EXPECT_EQ(list.names, (Names{L"English.ini", L"B.ini", L"A.ini"}));
    EXPECT_EQ(list.saved, -1);
    EXPECT_EQ(list.simplifiedChinese, -1);
    EXPECT_EQ(list.traditionalChinese, -1);

    EXPECT_EQ(lang::BuildLanguageList(L"", {}).names, Names{L"English.ini"});
}

TEST(LanguageList, NamesAreComparedExactly)
{
    // Another case is another language; so is a near-miss of a Chinese name.
    const lang::LanguageList list =
        lang::BuildLanguageList(L"german.ini", {L"english.ini", L"chinese simplified.ini", L"German.ini"});
    EXPECT_EQ(list.names, (Names{L"English.ini", L"english.ini", L"chinese simplified.ini", L"German.ini"}));
    EXPECT_EQ(list.simplifiedChinese, -1);
    EXPECT_EQ(list.saved, -1);
}

TEST(LanguageList, RemembersTheIndexesOfBothChineseFilesAndTheSavedName)
{
    const Names found{L"German.ini", L"Chinese Traditional.ini", L"Chinese Simplified.ini", L"Japanese.ini"};
    lang::LanguageList list = lang::BuildLanguageList(L"Japanese.ini", found);
    EXPECT_EQ(list.simplifiedChinese, 3);
    EXPECT_EQ(list.traditionalChinese, 2);
    EXPECT_EQ(list.saved, 4);

    EXPECT_EQ(lang::BuildLanguageList(L"Chinese Simplified.ini", found).saved, 3);
    EXPECT_EQ(lang::BuildLanguageList(L"English.ini", found).saved, 0);
    // A saved name with no file behind it is not a choice.
    EXPECT_EQ(lang::BuildLanguageList(L"Klingon.ini", found).saved, -1);
}

TEST(LanguageList, ALongSavedNameIsStillRecognised)
{
    const std::wstring longName = L"Chinese Simplified (Mainland).ini";
    ASSERT_GE(longName.size(), 30u);
    EXPECT_EQ(lang::BuildLanguageList(longName, {L"German.ini", longName}).saved, 2);
}

TEST(LanguageFiles, ListsFilesButNotFoldersNorOtherExtensions)
{
    TempDir dir;
    WriteFileBytes(dir / L"Language\\A.ini", "");
    WriteFileBytes(dir / L"Language\\B.ini", "");
    WriteFileBytes(dir / L"Language\\notes.txt", "");
    WriteFileBytes(dir / L"Language\\Folder.ini\\inner.ini", "");

    Names found = lang::EnumerateLanguageFiles(dir / L"Language\\");
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Names{L"A.ini", L"B.ini"}));

    EXPECT_TRUE(lang::EnumerateLanguageFiles(dir / L"Missing\\").empty());
}

TEST(DefaultLanguage, FollowsTheSystemLanguageId)
{
    EXPECT_EQ(lang::DefaultLanguageFor(0x0804), DefaultLanguage::SimplifiedChinese);
    EXPECT_EQ(lang::DefaultLanguageFor(0x0404), DefaultLanguage::TraditionalChinese);
    EXPECT_EQ(lang::DefaultLanguageFor(0x0C04), DefaultLanguage::TraditionalChinese);

    // Singapore, Macau and the neutral Chinese ids fall back to English.
    for (LANGID id : {0x1004, 0x1404, 0x0004, 0x7C04, 0x7804})
        EXPECT_EQ(lang::DefaultLanguageFor(id), DefaultLanguage::English) << std::hex << id;
    for (LANGID id : {0x0409, 0x0407, 0x0411, 0x0000})
        EXPECT_EQ(lang::DefaultLanguageFor(id), DefaultLanguage::English) << std::hex << id;
}

TEST(DefaultLanguage, ThePrimaryLanguageIsTheLowTenBits)
{
    // Both have 0x04 in their low byte and a Chinese-looking sublanguage, but
    // their primary language (0x204, 0x104) is not Chinese.
    EXPECT_EQ(lang::DefaultLanguageFor(0x0A04), DefaultLanguage::English);
    EXPECT_EQ(lang::DefaultLanguageFor(0x0504), DefaultLanguage::English);
}

TEST(LanguageCommand, MapsOnlyTheListedItems)
{
    EXPECT_EQ(lang::IndexOfCommand(35000, 3), 0);
    EXPECT_EQ(lang::IndexOfCommand(35002, 3), 2);
    EXPECT_EQ(lang::IndexOfCommand(35003, 3), -1);
    EXPECT_EQ(lang::IndexOfCommand(34999, 3), -1);
    EXPECT_EQ(lang::IndexOfCommand(32772, 3), -1);
    EXPECT_EQ(lang::IndexOfCommand(0, 3), -1);
}

TEST(LanguageSubmenuCaption, EnglishIsPlainAndOthersAddTheirOwnWord)
{
    TempDir dir;
    const std::wstring german = dir / L"German.ini";
    WriteFileBytes(german, Utf16LeFileBytes(L"[General]\r\nSetLanguage=Sprache\r\n"));
    const std::wstring named = dir / L"Named.ini";
    WriteFileBytes(named, Utf16LeFileBytes(L"[General]\r\nLanguageName=Named\r\n"));

    EXPECT_EQ(lang::LanguageSubmenuCaption(L"German.ini", german), L"Language / Sprache");
    EXPECT_EQ(lang::LanguageSubmenuCaption(L"Named.ini", named), L"Language / &Language");
    // The built-in English never reads its file, whatever the file says.
    EXPECT_EQ(lang::LanguageSubmenuCaption(L"English.ini", german), L"&Language");
    // Only the exact name is the built-in one.
    EXPECT_EQ(lang::LanguageSubmenuCaption(L"english.ini", german), L"Language / Sprache");
}

}  // namespace
