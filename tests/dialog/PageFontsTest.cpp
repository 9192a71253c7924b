// The page-font group of the real main dialog: face lists, set-all, size
// fields and reset, loading from and saving into a real engine file. The
// build installs "Times New Roman", "Arial", "Comic Sans MS" and "Impact" into
// the Wine prefix, and leaves "Courier" out, so that both a found and a
// missing default face can be seen.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "fonts/FaceCombo.h"
#include "fonts/FitCombo.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"
#include "win/Dialog.h"
#include "win/Handles.h"
#include "win/Text.h"

using namespace velltune::test;

namespace {

constexpr int kAllLists[7] = {IDC_FACE_SERIF,   IDC_FACE_SANSSERIF, IDC_FACE_STANDARD, IDC_FACE_FIXED,
                              IDC_FACE_CURSIVE, IDC_FACE_FANTASY,   IDC_FACE_SETALL};
constexpr int kRoleLists[6] = {IDC_FACE_SERIF, IDC_FACE_SANSSERIF, IDC_FACE_STANDARD,
                               IDC_FACE_FIXED, IDC_FACE_CURSIVE,   IDC_FACE_FANTASY};
constexpr int kSizeEdits[4] = {IDC_EDIT_DEFAULTSIZE, IDC_EDIT_FIXEDSIZE, IDC_EDIT_MINSIZE, IDC_EDIT_MINLOGICALSIZE};

const char kStoredFonts[] =
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "[Font]\r\n"
    "SerifFontFamily=DejaVu Serif\r\n"
    "SansSerifFontFamily=DejaVu Sans\r\n"
    "StandardFontFamily=DejaVu Serif\r\n"
    "FixedFontFamily=DejaVu Sans Mono\r\n"
    "CursiveFontFamily=DejaVu Sans\r\n"
    "FantasyFontFamily=DejaVu Sans\r\n"
    "DefaultFontSize=20\r\n"
    "DefaultFixedFontSize=14\r\n"
    "MinimumFontSize=3\r\n"
    "MinimumLogicalFontSize=8\r\n"
    "[Cache]\r\n"
    "Size=200\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The lines of section Font, as the file holds them; the other sections are
// the browser group's to write.
std::string FontSection(const std::string& bytes)
{
    const size_t start = bytes.find("[Font]\r\n");
    if (start == std::string::npos) return {};
    const size_t end = bytes.find("\r\n[", start);
    return bytes.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

std::vector<std::wstring> Entries(HWND combo)
{
    std::vector<std::wstring> entries;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

std::optional<std::wstring> Selected(HWND combo)
{
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::nullopt;
    return Entries(combo)[static_cast<size_t>(index)];
}

void AddEntries(HWND combo, const std::vector<std::wstring>& entries)
{
    for (const std::wstring& e : entries) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
}

class PageFontsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    void Open(const std::string& engineFile)
    {
        folder.WriteEngineFile(engineFile);
        ASSERT_TRUE(dialog.CreateModeless());
        ::ShowWindow(dialog.Handle(), SW_SHOW);
    }
    HWND Item(int id) { return dialog.Item(id); }
    // Drops a list down and closes it: its entries come with its first use.
    void DropDown(int id)
    {
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, FALSE, 0);
    }
    std::wstring Text(int id) { return win::GetItemText(dialog.Handle(), id); }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    void Apply()
    {
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(IDC_APPLY)));
    }
    void Choose(int listId, const wchar_t* face)
    {
        DropDown(listId);
        const LRESULT index =
            ::SendMessageW(Item(listId), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
        ASSERT_NE(index, CB_ERR) << Utf8(face);
        ::SendMessageW(Item(listId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    std::string FileFonts() { return FontSection(ReadFileBytes(folder.EngineFile())); }
    bool Installed(const wchar_t* face)
    {
        const auto& faces = dialog.InstalledFaces();
        return std::find(faces.begin(), faces.end(), face) != faces.end();
    }
    void RequireTestFonts()
    {
        for (const wchar_t* face : {L"Times New Roman", L"Arial", L"Comic Sans MS", L"Impact"})
            ASSERT_TRUE(Installed(face)) << Utf8(face) << " is missing: the build target velltune_test_fonts installs it";
        ASSERT_FALSE(Installed(L"Courier")) << "these tests need a system without Courier";
    }

    WorkingFolderFixture folder;
    MessageBoxWatcher boxes;
    CVelltuneDlg dialog;
};

// ---- Lists ---------------------------------------------------------------------------------

TEST_F(PageFontsTest, SevenEqualSortedListsOfTheInstalledFacesWithoutSelection)
{
    // Empty stored faces leave the lists as filling left them.
    Open("[Font]\r\nSerifFontFamily=\r\nSansSerifFontFamily=\r\nStandardFontFamily=\r\n"
         "FixedFontFamily=\r\nCursiveFontFamily=\r\nFantasyFontFamily=\r\n");
    for (int id : kAllLists) DropDown(id);
    const std::vector<std::wstring> first = Entries(Item(IDC_FACE_SERIF));
    for (int id : kAllLists) {
        EXPECT_EQ(Entries(Item(id)), first) << id;
        EXPECT_EQ(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0), CB_ERR) << id;
    }
    std::vector<std::wstring> installed = dialog.InstalledFaces();
    EXPECT_EQ(std::count(installed.begin(), installed.end(), L"DejaVu Sans"), 1);
    std::vector<std::wstring> shown = first;
    std::sort(installed.begin(), installed.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, installed);
    for (size_t i = 1; i < first.size(); ++i)
        EXPECT_LE(::lstrcmpiW(first[i - 1].c_str(), first[i].c_str()), 0) << Utf8(first[i]);
}

TEST_F(PageFontsTest, NoListHoldsAVerticalFormOfAnEastAsianFont)
{
    // The system does list "@" forms: the check below would otherwise prove nothing.
    std::vector<std::wstring> listed;
    {
        win::WindowDC screen(nullptr);
        LOGFONTW all{};
        all.lfCharSet = DEFAULT_CHARSET;
        ::EnumFontFamiliesExW(
            screen.Get(), &all,
            [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
                reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
                return 1;
            },
            reinterpret_cast<LPARAM>(&listed), 0);
    }
    ASSERT_TRUE(std::any_of(listed.begin(), listed.end(), [](const std::wstring& f) { return f.starts_with(L"@"); }))
        << "no East Asian font installed: the build copies WenQuanYi Zen Hei into the prefix";

    Open(kStoredFonts);
    for (int id : kAllLists) {
        DropDown(id);
        for (const std::wstring& entry : Entries(Item(id))) EXPECT_FALSE(entry.starts_with(L"@")) << Utf8(entry);
    }
}

TEST_F(PageFontsTest, ListsLookExactlyAsFittingEachOneByItself)
{
    Open(kStoredFonts);
    // The same template, filled one list after another and fitted list by list.
    win::Dialog reference(IDD_VELLTUNE_DIALOG);
    ASSERT_TRUE(reference.CreateModeless());
    ::ShowWindow(reference.Handle(), SW_SHOW);
    for (int id : kAllLists) {
        AddEntries(reference.Item(id), dialog.InstalledFaces());
        fonts::FitComboToItems(reference.Item(id));
    }
    for (int id : kAllLists) {
        DropDown(id);
        HWND ours = Item(id);
        HWND theirs = reference.Item(id);
        EXPECT_EQ(Entries(ours), Entries(theirs)) << id;
        EXPECT_EQ(::SendMessageW(ours, CB_GETITEMHEIGHT, 0, 0), ::SendMessageW(theirs, CB_GETITEMHEIGHT, 0, 0)) << id;
        EXPECT_EQ(::SendMessageW(ours, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0),
                  ::SendMessageW(theirs, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0))
            << id;
        EXPECT_EQ(::SendMessageW(ours, CB_GETDROPPEDWIDTH, 0, 0), ::SendMessageW(theirs, CB_GETDROPPEDWIDTH, 0, 0)) << id;
    }
    // The comparison means something only if fitting did widen the lists.
    RECT box{};
    ::GetWindowRect(Item(IDC_FACE_SERIF), &box);
    EXPECT_GT(::SendMessageW(Item(IDC_FACE_SERIF), CB_GETDROPPEDWIDTH, 0, 0), box.right - box.left);
}

TEST_F(PageFontsTest, FitComboToItemsFitsTheTextHeightAndGrowsToTheWidestEntry)
{
    win::Dialog host(IDD_VELLTUNE_DIALOG);
    ASSERT_TRUE(host.CreateModeless());
    HWND combo = host.Item(IDC_FACE_SERIF);
    const LRESULT emptyWidth = ::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0);
    fonts::FitComboToItems(combo);
    EXPECT_EQ(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), emptyWidth);

    const std::wstring wide(40, L'W');
    AddEntries(combo, {L"i", wide, L"Arial"});
    SIZE extent{};
    {
        // Measured in the list's font, which draws wider than a DC's default under some languages.
        win::WindowDC dc(combo);
        win::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(combo, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
    }
    ASSERT_GT(extent.cx, emptyWidth);
    fonts::FitComboToItems(combo);
    // Room for the text and its margins beside the scroll bar, inside the borders.
    const LONG room = extent.cx + 2 * fonts::kItemTextMargin + ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_GE(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), room);
    EXPECT_LE(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), room + 2 * ::GetSystemMetrics(SM_CXEDGE));
    // Exactly the text's height: an owner-drawn list starts higher.
    EXPECT_EQ(::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), extent.cy);

    ::SendMessageW(combo, CB_SETDROPPEDWIDTH, 2000, 0);
    const LRESULT height = ::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
    fonts::FitComboToItems(combo);
    EXPECT_EQ(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), 2000);
    EXPECT_EQ(::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), height);
    EXPECT_EQ(Entries(combo), (std::vector<std::wstring>{L"Arial", L"i", wide}));
}

// ---- Faces: load and save ------------------------------------------------------------------

TEST_F(PageFontsTest, FileWithoutFontSectionSelectsTheInstalledDefaults)
{
    Open("[ScrollPage]\r\nScrollPageSmoothly=true\r\n");
    RequireTestFonts();
    EXPECT_EQ(Selected(Item(IDC_FACE_SERIF)), L"Times New Roman");
    EXPECT_EQ(Selected(Item(IDC_FACE_SANSSERIF)), L"Arial");
    EXPECT_EQ(Selected(Item(IDC_FACE_STANDARD)), L"Times New Roman");
    // The missing default is shown as what a save will write, marked.
    EXPECT_EQ(Selected(Item(IDC_FACE_FIXED)), L"Courier");
    const LRESULT fixed = ::SendMessageW(Item(IDC_FACE_FIXED), CB_GETCURSEL, 0, 0);
    EXPECT_EQ(::SendMessageW(Item(IDC_FACE_FIXED), CB_GETITEMDATA, fixed, 0), fonts::kNotInstalledItemData);
    EXPECT_EQ(Selected(Item(IDC_FACE_CURSIVE)), L"Comic Sans MS");
    EXPECT_EQ(Selected(Item(IDC_FACE_FANTASY)), L"Impact");
    EXPECT_EQ(Selected(Item(IDC_FACE_SETALL)), std::nullopt);
    EXPECT_EQ(Text(IDC_EDIT_DEFAULTSIZE), L"16");
    EXPECT_EQ(Text(IDC_EDIT_FIXEDSIZE), L"13");
    EXPECT_EQ(Text(IDC_EDIT_MINSIZE), L"1");
    EXPECT_EQ(Text(IDC_EDIT_MINLOGICALSIZE), L"9");
    EXPECT_FALSE(dialog.IsModified());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(PageFontsTest, FaceInOtherCaseIsSelectedAndAppliedAsTheListSpellsIt)
{
    std::string file = Replace(kStoredFonts, "SerifFontFamily=DejaVu Serif", "SerifFontFamily=times new roman");
    file = Replace(file, "FixedFontFamily=DejaVu Sans Mono", "FixedFontFamily=DEJAVU SANS MONO");
    Open(file);
    RequireTestFonts();
    EXPECT_EQ(Selected(Item(IDC_FACE_SERIF)), L"Times New Roman");
    EXPECT_EQ(Selected(Item(IDC_FACE_FIXED)), L"DejaVu Sans Mono");
    Apply();
    EXPECT_EQ(FileFonts(),
              Replace(FontSection(kStoredFonts), "SerifFontFamily=DejaVu Serif", "SerifFontFamily=Times New Roman"));
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(PageFontsTest, UninstalledFaceGetsAMarkedEntryOfItsOwnAndApplyKeepsIt)
{
    std::string file = Replace(kStoredFonts, "SerifFontFamily=DejaVu Serif", "SerifFontFamily=No Such Face");
    file = Replace(file, "CursiveFontFamily=DejaVu Sans", "CursiveFontFamily=");
    file = Replace(file, "FixedFontFamily=DejaVu Sans Mono", "FixedFontFamily=@DejaVu Sans Mono");
    Open(file);
    const size_t installed = dialog.InstalledFaces().size();
    const std::pair<int, const wchar_t*> ownEntries[] = {{IDC_FACE_SERIF, L"No Such Face"},
                                                         {IDC_FACE_FIXED, L"@DejaVu Sans Mono"}};
    for (auto [id, face] : ownEntries) {
        HWND list = Item(id);
        DropDown(id);
        EXPECT_EQ(Selected(list), face) << id;
        const LRESULT index = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
        EXPECT_EQ(::SendMessageW(list, CB_GETITEMDATA, index, 0), fonts::kNotInstalledItemData) << id;
        EXPECT_EQ(Entries(list).size(), installed + 1) << id;
    }
    EXPECT_EQ(::SendMessageW(Item(IDC_FACE_SANSSERIF), CB_GETITEMDATA, 0, 0), 0) << "installed faces are not marked";
    for (int id : {IDC_FACE_SANSSERIF, IDC_FACE_STANDARD, IDC_FACE_CURSIVE, IDC_FACE_FANTASY, IDC_FACE_SETALL}) {
        DropDown(id);
        EXPECT_EQ(Entries(Item(id)).size(), installed) << id;
    }
    EXPECT_EQ(Selected(Item(IDC_FACE_CURSIVE)), std::nullopt);
    EXPECT_FALSE(dialog.IsModified());

    Apply();
    EXPECT_EQ(FileFonts(), Replace(FontSection(file), "CursiveFontFamily=\r\n", "CursiveFontFamily=Comic Sans MS\r\n"));
}

TEST_F(PageFontsTest, SetAllWithAFaceWritesItToAllSixKeys)
{
    Open(kStoredFonts);
    Click(IDC_CHECK_SETALL);
    Choose(IDC_FACE_SETALL, L"DejaVu Sans Mono");
    ::SetWindowTextW(Item(IDC_EDIT_MINSIZE), L"5");
    Apply();
    EXPECT_EQ(FileFonts(),
              "[Font]\r\n"
              "SerifFontFamily=DejaVu Sans Mono\r\n"
              "SansSerifFontFamily=DejaVu Sans Mono\r\n"
              "StandardFontFamily=DejaVu Sans Mono\r\n"
              "FixedFontFamily=DejaVu Sans Mono\r\n"
              "CursiveFontFamily=DejaVu Sans Mono\r\n"
              "FantasyFontFamily=DejaVu Sans Mono\r\n"
              "DefaultFontSize=20\r\n"
              "DefaultFixedFontSize=14\r\n"
              "MinimumFontSize=5\r\n"
              "MinimumLogicalFontSize=8\r\n");
    EXPECT_FALSE(dialog.IsModified());
    EXPECT_TRUE(boxes.Texts().empty());

    // The role lists now show the saved face: set-all off saves what they show.
    for (int id : kRoleLists) EXPECT_EQ(Selected(Item(id)), L"DejaVu Sans Mono") << id;
    Click(IDC_CHECK_SETALL);
    const std::string saved = FileFonts();
    Apply();
    EXPECT_EQ(FileFonts(), saved);
}

// Set All Fonts is the user's choice of all six faces: another program's
// serif face neither wins the save nor, once set-all is off, loses to it.
TEST_F(PageFontsTest, SetAllIsTheUsersChoiceOfEveryFaceAgainstAnotherWriter)
{
    Open(kStoredFonts);
    ::UpdateWindow(dialog.Handle());  // the window follows the files once it has been seen
    const auto otherProgramSets = [this](const wchar_t* serif) {
        const std::wstring file = folder.EngineFile();
        ::WritePrivateProfileStringW(L"Font", L"SerifFontFamily", serif, file.c_str());
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    };
    Click(IDC_CHECK_SETALL);
    Choose(IDC_FACE_SETALL, L"DejaVu Serif");  // the serif face as read
    otherProgramSets(L"DejaVu Sans");
    Apply();
    EXPECT_EQ(FileFonts().find("DejaVu Sans\r\n"), std::string::npos) << FileFonts();

    otherProgramSets(L"DejaVu Sans Mono");
    ::SendMessageW(dialog.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    Click(IDC_CHECK_SETALL);
    Apply();
    EXPECT_NE(FileFonts().find("SerifFontFamily=DejaVu Sans Mono\r\n"), std::string::npos) << FileFonts();
    EXPECT_NE(FileFonts().find("FantasyFontFamily=DejaVu Serif\r\n"), std::string::npos) << FileFonts();
}

TEST_F(PageFontsTest, SetAllWithoutAFaceRefusesWithItsMessageAndTouchesNoKey)
{
    Open(kStoredFonts);
    Click(IDC_CHECK_SETALL);
    ::SetWindowTextW(Item(IDC_EDIT_DEFAULTSIZE), L"30");
    const std::wstring message = L"Please choose a font for \"Set All Fonts to:\".";

    Apply();
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{message});
    EXPECT_EQ(FileFonts(), FontSection(kStoredFonts));
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));

    boxes.Clear();
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{message});
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(FileFonts(), FontSection(kStoredFonts));
}

TEST_F(PageFontsTest, FailedWriteShowsSaveFailedAndTheDialogStaysModified)
{
    Open(kStoredFonts);
    ::SetWindowTextW(Item(IDC_EDIT_DEFAULTSIZE), L"30");
    {
        win::KernelHandle lock(::CreateFileW(folder.EngineFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        Apply();
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Failed to save Nerovia 3 settings!"});
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(Text(IDCANCEL), L"Cancel");
    EXPECT_EQ(FileFonts(), FontSection(kStoredFonts));
}

// ---- Size fields ---------------------------------------------------------------------------

TEST_F(PageFontsTest, EmptiedZeroOrSignedSizeShowsItsReplacementSelectedAndStoresIt)
{
    Open(kStoredFonts);
    ASSERT_FALSE(dialog.IsModified());
    const int fallbacks[4] = {16, 13, 1, 9};
    for (int i = 0; i < 4; ++i) {
        const int id = kSizeEdits[i];
        const std::wstring fallback = std::to_wstring(fallbacks[i]);
        for (const wchar_t* typed : {L"", L"-5"}) {
            ::SetWindowTextW(Item(id), L"42");
            ASSERT_EQ(dialog.SizeValue(i), 42);
            ::SetWindowTextW(Item(id), typed);
            EXPECT_EQ(Text(id), fallback) << id << " after '" << Utf8(typed) << "'";
            EXPECT_EQ(dialog.SizeValue(i), fallbacks[i]) << id;
            DWORD start = 99, end = 99;
            ::SendMessageW(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u) << id;
            EXPECT_EQ(end, fallback.size()) << id;
        }
        ::SetWindowTextW(Item(id), L"0");
        EXPECT_EQ(Text(id), L"1") << id;
        EXPECT_EQ(dialog.SizeValue(i), 1) << id;
    }
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(PageFontsTest, ClearingOneFieldMarksACleanDialogModified)
{
    Open(kStoredFonts);
    ::SetWindowTextW(Item(IDC_EDIT_MINLOGICALSIZE), L"");
    EXPECT_EQ(Text(IDC_EDIT_MINLOGICALSIZE), L"9");
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_EQ(Text(IDCANCEL), L"Cancel");
}

TEST_F(PageFontsTest, StoredNegativeShowsTheFallbackAndStoredZeroShowsOneWithoutAChange)
{
    std::string file = Replace(kStoredFonts, "DefaultFontSize=20", "DefaultFontSize=-5");
    file = Replace(file, "DefaultFixedFontSize=14", "DefaultFixedFontSize=0");
    file = Replace(file, "MinimumLogicalFontSize=8", "MinimumLogicalFontSize=-1");
    Open(file);
    EXPECT_EQ(Text(IDC_EDIT_DEFAULTSIZE), L"16");
    EXPECT_EQ(Text(IDC_EDIT_FIXEDSIZE), L"1");
    EXPECT_EQ(Text(IDC_EDIT_MINSIZE), L"3");
    EXPECT_EQ(Text(IDC_EDIT_MINLOGICALSIZE), L"9");
    EXPECT_EQ(dialog.SizeValue(0), 16);
    EXPECT_EQ(dialog.SizeValue(1), 1);
    EXPECT_EQ(dialog.SizeValue(3), 9);
    EXPECT_FALSE(dialog.IsModified());
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(ReadFileBytes(folder.EngineFile()), file);
}

TEST_F(PageFontsTest, StoredSizeAbove99IsShownAppliedUnchangedAndOkRefusesIt)
{
    const std::string file = Replace(kStoredFonts, "DefaultFontSize=20", "DefaultFontSize=150");
    Open(file);
    EXPECT_EQ(Text(IDC_EDIT_DEFAULTSIZE), L"150");
    EXPECT_EQ(dialog.SizeValue(0), 150);
    EXPECT_FALSE(dialog.IsModified());

    Apply();
    EXPECT_EQ(FileFonts(), FontSection(file));
    EXPECT_TRUE(boxes.Texts().empty());

    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDOK)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Please enter an integer between 1 and 99."});
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(::GetFocus(), Item(IDC_EDIT_DEFAULTSIZE));
}

// ---- Set-all toggle and reset --------------------------------------------------------------

TEST_F(PageFontsTest, SetAllToggleSwapsWhichListsAreEnabledAndKeepsEverySelection)
{
    Open(kStoredFonts);
    std::vector<std::optional<std::wstring>> before;
    for (int id : kAllLists) before.push_back(Selected(Item(id)));

    Click(IDC_CHECK_SETALL);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.Handle(), IDC_CHECK_SETALL), BST_CHECKED);
    for (int id : kRoleLists) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_FACE_SETALL));
    EXPECT_TRUE(dialog.IsModified());

    Click(IDC_CHECK_SETALL);
    for (int id : kRoleLists) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_FACE_SETALL));
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(Selected(Item(kAllLists[i])), before[i]) << kAllLists[i];
}

TEST_F(PageFontsTest, UserSelectionInAFaceListMarksModified)
{
    Open(kStoredFonts);
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_FACE_FANTASY, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_FACE_FANTASY)));
    EXPECT_TRUE(dialog.IsModified());
}

TEST_F(PageFontsTest, ResetWithSetAllOnUnchecksItAndRestoresTheDefaults)
{
    Open(kStoredFonts);
    RequireTestFonts();
    Click(IDC_CHECK_SETALL);
    Choose(IDC_FACE_SETALL, L"DejaVu Serif");

    Click(IDC_RESET_FONTS);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.Handle(), IDC_CHECK_SETALL), BST_UNCHECKED);
    for (int id : kRoleLists) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_FACE_SETALL));
    EXPECT_EQ(Selected(Item(IDC_FACE_SETALL)), L"DejaVu Serif");

    EXPECT_EQ(Selected(Item(IDC_FACE_SERIF)), L"Times New Roman");
    EXPECT_EQ(Selected(Item(IDC_FACE_SANSSERIF)), L"Arial");
    EXPECT_EQ(Selected(Item(IDC_FACE_STANDARD)), L"Times New Roman");
    EXPECT_EQ(Selected(Item(IDC_FACE_FIXED)), L"DejaVu Sans Mono");  // no Courier: unchanged
    EXPECT_EQ(Selected(Item(IDC_FACE_CURSIVE)), L"Comic Sans MS");
    EXPECT_EQ(Selected(Item(IDC_FACE_FANTASY)), L"Impact");
    const wchar_t* shown[4] = {L"16", L"13", L"1", L"9"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Text(kSizeEdits[i]), shown[i]);
        EXPECT_EQ(dialog.SizeValue(i), std::stoi(shown[i]));
    }
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_EQ(FileFonts(), FontSection(kStoredFonts));
}

}  // namespace
