// The first-start language follows the system language. Under Wine that is
// set by LANG, so ctest runs these tests once per Chinese locale as well.
#include "LanguageHarness.h"

#include "resource.h"

using namespace velltune::test;

namespace {

// The system language each LANG of the test entries must give; a run under
// any other LANG, or one that gives another id, is a broken entry.
LANGID ExpectedLanguageId()
{
    wchar_t buffer[64] = {};
    if (::GetEnvironmentVariableW(L"LANG", buffer, 64) == 0) return ::GetSystemDefaultLangID();  // native Windows
    const std::wstring lang = buffer;
    const struct {
        const wchar_t* prefix;
        LANGID id;
    } known[] = {{L"en_US", 0x0409}, {L"zh_CN", 0x0804}, {L"zh_TW", 0x0404}, {L"zh_HK", 0x0C04}, {L"zh_SG", 0x1004}};
    for (const auto& entry : known)
        if (lang.starts_with(entry.prefix)) return entry.id;
    ADD_FAILURE() << "no expected language id for LANG=" << Utf8(lang);
    return 0;
}

// The file a first start must apply on this system when both Chinese files are there.
std::wstring ExpectedFirstStartFile(LANGID id)
{
    switch (id) {
    case 0x0804:
        return L"Chinese Simplified.ini";
    case 0x0404:
    case 0x0C04:
        return L"Chinese Traditional.ini";
    default:
        return L"English.ini";
    }
}

class SystemLanguage : public LanguageHarness {
protected:
    void SetUp() override
    {
        LanguageHarness::SetUp();
        systemId = ::GetSystemDefaultLangID();
        ASSERT_EQ(systemId, ExpectedLanguageId()) << "the entry's LANG did not reach Wine";
    }
    void WriteSimplified()
    {
        WriteLanguage(L"Chinese Simplified.ini",
                      L"LanguageName=\u7b80\u4f53\u4e2d\u6587\r\nClose=\u5173\u95ed\r\nSetLanguage=\u8bed\u8a00\r\n");
    }
    void WriteTraditional()
    {
        WriteLanguage(L"Chinese Traditional.ini",
                      L"LanguageName=\u7e41\u9ad4\u4e2d\u6587\r\nClose=\u95dc\u9589\r\nSetLanguage=\u8a9e\u8a00\r\n");
    }

    LANGID systemId = 0;
};

TEST_F(SystemLanguage, FirstStartPicksTheSystemsChineseScriptWhenItsFileIsThere)
{
    WriteLanguage(L"German.ini", L"LanguageName=Deutsch\r\nClose=Schlie\u00dfen\r\n");
    WriteSimplified();
    WriteTraditional();
    ASSERT_TRUE(Open());

    const std::wstring expected = ExpectedFirstStartFile(systemId);
    const int index = IndexOf(expected);
    EXPECT_EQ(dialog->CurrentLanguageIndex(), index) << Utf8(expected);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{index});
    EXPECT_EQ(SavedLanguageChoice(), expected);
    if (expected == L"Chinese Simplified.ini") {
        EXPECT_EQ(Text(IDCANCEL), L"\u5173\u95ed");
        EXPECT_EQ(ItemText(DropDown(), 1), L"Language / \u8bed\u8a00");
    } else if (expected == L"Chinese Traditional.ini") {
        EXPECT_EQ(Text(IDCANCEL), L"\u95dc\u9589");
        EXPECT_EQ(ItemText(DropDown(), 1), L"Language / \u8a9e\u8a00");
    } else {
        EXPECT_EQ(Text(IDCANCEL), L"Close");
        EXPECT_EQ(ItemText(DropDown(), 1), L"&Language");
    }
}

TEST_F(SystemLanguage, FirstStartWithoutTheMatchingFileIsEnglish)
{
    // Only the script this system does not ask for is present.
    if (ExpectedFirstStartFile(systemId) == L"Chinese Simplified.ini")
        WriteTraditional();
    else
        WriteSimplified();
    ASSERT_TRUE(Open());
    EXPECT_EQ(dialog->CurrentLanguageIndex(), 0);
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{0});
    EXPECT_EQ(Text(IDCANCEL), L"Close");
    EXPECT_EQ(SavedLanguageChoice(), L"English.ini");
}

TEST_F(SystemLanguage, ASavedChoiceOutranksTheSystemLanguage)
{
    WriteSimplified();
    WriteTraditional();
    WriteLanguage(L"German.ini", L"LanguageName=Deutsch\r\nClose=Schlie\u00dfen\r\n");
    SaveLanguageChoice(L"German.ini");
    ASSERT_TRUE(Open());
    EXPECT_EQ(CheckedLanguages(), std::vector<int>{IndexOf(L"German.ini")});
    EXPECT_EQ(Text(IDCANCEL), L"Schlie\u00dfen");
    EXPECT_EQ(SavedLanguageChoice(), L"German.ini");
}

TEST_F(SystemLanguage, AFolderWithAChineseFileNameIsNotALanguage)
{
    WriteLanguage(L"Chinese Traditional.ini", L"LanguageName=\u7e41\u9ad4\u4e2d\u6587\r\n");
    ::CreateDirectoryW((folder.Folder() + L"Language\\Chinese Simplified.ini").c_str(), nullptr);
    ASSERT_TRUE(Open());
    EXPECT_EQ(IndexOf(L"Chinese Simplified.ini"), -1);
    // Whatever the system asks for, exactly one listed item ends up checked.
    ASSERT_EQ(CheckedLanguages().size(), 1u);
    EXPECT_EQ(CheckedLanguages()[0], dialog->CurrentLanguageIndex());
    EXPECT_EQ(SavedLanguageChoice(), dialog->Languages()[dialog->CurrentLanguageIndex()]);
}

}  // namespace
