// The About box: texts in the language file its owner names (the one that
// Settings.ini names, as the main dialog passes it), opened on its
// own and through the main dialog's menu.
#include "LanguageHarness.h"

#include <atomic>
#include <thread>

#include "i18n/AboutDlg.h"
#include "resource.h"

using namespace velltune::test;

namespace {

struct AboutTexts {
    std::wstring title, ok, version, author, thanks, translation;
};

AboutTexts ReadAbout(HWND box)
{
    return {win::GetWindowTextString(box),
            win::GetItemText(box, IDOK),
            win::GetItemText(box, IDC_ABOUT_VERSION),
            win::GetItemText(box, IDC_ABOUT_AUTHOR),
            win::GetItemText(box, IDC_ABOUT_THANKS),
            win::GetItemText(box, IDC_ABOUT_TRANSLATION)};
}

class AboutBoxTest : public LanguageHarness {
protected:
    AboutTexts OpenOnItsOwn()
    {
        CAboutDlg about(nullptr, settings::SavedLanguageFilePath(settings::GetWorkingFolder()));
        HWND box = about.CreateModeless();
        EXPECT_TRUE(box);
        return box ? ReadAbout(box) : AboutTexts{};
    }
};

TEST_F(AboutBoxTest, EnglishWithoutAnyLanguageFile)
{
    const AboutTexts t = OpenOnItsOwn();
    EXPECT_EQ(t.title, L"About Velltune");
    EXPECT_EQ(t.ok, L"OK");
    EXPECT_EQ(t.version, L"Version: 0.4");
    EXPECT_EQ(t.author, L"Author: the Velltune developers");
    EXPECT_EQ(t.thanks, L"Thanks to: everyone who translated Velltune");
    EXPECT_EQ(t.translation, L"");

    // A saved name whose file is gone reads as English too.
    SaveLanguageChoice(L"Gone.ini");
    EXPECT_EQ(OpenOnItsOwn().title, L"About Velltune");
}

TEST_F(AboutBoxTest, ALanguageThatSetsAboutButNotVersion)
{
    WriteLanguage(L"German.ini", L"About=\u00dcber\r\nOK=Gut\r\nThanks=Dank an:\r\n"
                                 L"Translation=\u00dcbersetzung: Jemand\r\n");
    SaveLanguageChoice(L"German.ini");
    const AboutTexts t = OpenOnItsOwn();
    EXPECT_EQ(t.title, L"\u00dcber Velltune");
    EXPECT_EQ(t.ok, L"Gut");
    EXPECT_EQ(t.version, L"Version: 0.4");
    EXPECT_EQ(t.author, L"Author: the Velltune developers");
    EXPECT_EQ(t.thanks, L"Dank an: everyone who translated Velltune");
    EXPECT_EQ(t.translation, L"\u00dcbersetzung: Jemand");
}

TEST_F(AboutBoxTest, SuffixesFollowTheTextAsReadAndCut)
{
    WriteLanguage(L"Long.ini", L"Version=" + std::wstring(300, L'v') + L"\r\nAuthor=\"Von: \"\r\n");
    SaveLanguageChoice(L"Long.ini");
    const AboutTexts t = OpenOnItsOwn();
    EXPECT_EQ(t.version, std::wstring(255, L'v') + L" 0.4");
    // Quotes keep a trailing blank through the profile service: two blanks then.
    EXPECT_EQ(t.author, L"Von:  the Velltune developers");
}

TEST_F(AboutBoxTest, FindsALanguageFileWithALongName)
{
    const std::wstring name = L"Deutsch (Schweiz, Liechtenstein).ini";
    ASSERT_GE(name.size(), 30u);
    WriteLanguage(name, L"About=\u00dcber\r\n");
    SaveLanguageChoice(name);
    EXPECT_EQ(OpenOnItsOwn().title, L"\u00dcber Velltune");
}

TEST_F(AboutBoxTest, OpensFromTheMenuInTheLanguageJustChosen)
{
    WriteLanguage(L"German.ini", L"About=\u00dcber\r\nVersion=Fassung:\r\n");
    ASSERT_TRUE(Open());
    Choose(L"German.ini");

    const DWORD uiThread = ::GetCurrentThreadId();
    const HWND main = Window();
    AboutTexts seen;
    HWND owner = nullptr;
    std::atomic<bool> mainDisabled{false};
    std::thread reader([&] {
        HWND box = WaitForDialog(uiThread, L"\u00dcber Velltune", std::chrono::seconds(10));
        if (!box) {
            // Wrong title: end whatever box is open so the test fails instead of hanging.
            ::EnumThreadWindows(
                uiThread,
                [](HWND w, LPARAM m) -> BOOL {
                    if (w != reinterpret_cast<HWND>(m) && ::IsWindowVisible(w))
                        ::PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(main));
            return;
        }
        seen = ReadAbout(box);
        owner = ::GetWindow(box, GW_OWNER);
        mainDisabled = !::IsWindowEnabled(main);
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    // Runs the box's modal loop until the reader presses OK.
    Command(ID_MENU_ABOUT);
    reader.join();

    EXPECT_EQ(seen.title, L"\u00dcber Velltune");
    EXPECT_EQ(seen.version, L"Fassung: 0.4");
    EXPECT_EQ(owner, main);
    EXPECT_TRUE(mainDisabled) << "the main dialog waits while the box is open";
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_FALSE(WaitForDialog(uiThread, L"\u00dcber Velltune", std::chrono::milliseconds(0)));
}

TEST_F(AboutBoxTest, EveryShippedLanguageTranslatesTheCreditsAndTheTitle)
{
    const AboutTexts english = OpenOnItsOwn();
    const std::vector<std::wstring> shipped = CopyShippedLanguages();
    ASSERT_GE(shipped.size(), 5u);
    for (const std::wstring& language : shipped) {
        SaveLanguageChoice(language);
        const AboutTexts t = OpenOnItsOwn();
        const std::string name = Utf8(language);
        EXPECT_NE(t.author, english.author) << name;
        EXPECT_NE(t.thanks, english.thanks) << name;
        EXPECT_EQ(t.author.find(L"the Velltune developers"), std::wstring::npos) << name;
        EXPECT_EQ(t.thanks.find(L"everyone who translated"), std::wstring::npos) << name;
        EXPECT_EQ(t.title.find(L'&'), std::wstring::npos) << name << ": the menu's access key stays in the menu";
        if (language == L"French.ini") {
            EXPECT_EQ(t.title, L"\u00c0 propos de Velltune");
        }
    }
}

}  // namespace

