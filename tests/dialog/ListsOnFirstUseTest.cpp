// The main dialog's lists get their entries on first use. Dropped down,
// focused or turned with the wheel, each then holds what it held when every
// list was filled at start and answers keys and the wheel as it did then; an
// Apply without any list used saves what it saved then.
#include "MainDialogHarness.h"
#include "fonts/FaceCombo.h"
#include "ui/Fields.h"

using namespace velltune::test;

namespace {

struct ListState {
    std::vector<std::wstring> entries;
    std::vector<LRESULT> itemData;
    LRESULT selection;

    bool operator==(const ListState&) const = default;
};

ListState StateOf(HWND list)
{
    ListState state{{}, {}, ::SendMessageW(list, CB_GETCURSEL, 0, 0)};
    ReadComboEntries(list, state.entries, state.itemData);
    return state;
}

// How the list is reached first, and what it is told then.
enum class Use { DropDown, FocusThenDownKey, Wheel };

void Turn(HWND list, Use use)
{
    if (use == Use::FocusThenDownKey) ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    if (use == Use::Wheel) ::SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
}

class ListsOnFirstUse : public MainDialogHarness {
protected:
    ListsOnFirstUse() : MainDialogHarness(WorkingFolderFixture::Accounts::None) {}
};

TEST_F(ListsOnFirstUse, AListHoldsWhatItHeldWhenAllWereFilledAtStartAndMovesAsItDid)
{
    folder.WriteEngineFile("[Font]\r\nSerifFontFamily=No Such Face\r\nSansSerifFontFamily=DejaVu Sans\r\n"
                           "FixedFontFamily=dejavu sans mono\r\nFantasyFontFamily=DejaVu Serif\r\n");
    for (const wchar_t* name : {L"bob", L"Alice", L"carol"}) folder.AddAccount(name, nullptr);
    ASSERT_TRUE(Open());
    const std::vector<std::wstring> accounts = {L"bob", L"Alice", L"carol"};

    struct Case {
        int id;
        Use use;
        const wchar_t* shown;           // the face selected at start, if any
        const wchar_t* notInstalled;    // an entry of the list's own, if any
    };
    const Case cases[] = {
        /* 0 */ {IDC_FACE_SERIF, Use::DropDown, L"No Such Face", L"No Such Face"},
        /* 1 */ {IDC_FACE_SANSSERIF, Use::FocusThenDownKey, L"DejaVu Sans", nullptr},
        /* 2 */ {IDC_FACE_FIXED, Use::Wheel, L"DejaVu Sans Mono", nullptr},
        /* 3 */ {IDC_FACE_FANTASY, Use::Wheel, L"DejaVu Serif", nullptr},
        // Disabled while set-all is off: dropped down by a program only.
        /* 4 */ {IDC_FACE_SETALL, Use::DropDown, nullptr, nullptr},
        /* 5 */ {IDC_ACCOUNT_LIST, Use::DropDown, nullptr, nullptr},
        /* 6 */ {IDC_ACCOUNT_LIST, Use::FocusThenDownKey, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const std::string name = "list " + std::to_string(c.id) + " use " + std::to_string(static_cast<int>(c.use));
        // The same template's list, filled as every list was at start.
        win::Dialog reference(IDD_VELLTUNE_DIALOG);
        ASSERT_TRUE(reference.CreateModeless());
        HWND theirs = reference.Item(c.id);
        for (const std::wstring& entry : c.id == IDC_ACCOUNT_LIST ? accounts : dialog.InstalledFaces())
            ::SendMessageW(theirs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        if (c.notInstalled) {
            const LRESULT at = ::SendMessageW(theirs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.notInstalled));
            ::SendMessageW(theirs, CB_SETITEMDATA, at, fonts::kNotInstalledItemData);
        }
        if (c.shown)
            ::SendMessageW(theirs, CB_SETCURSEL,
                           ::SendMessageW(theirs, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(c.shown)),
                           0);
        Turn(theirs, c.use);

        HWND ours = Item(c.id);
        if (c.id != IDC_ACCOUNT_LIST || c.use == Use::DropDown) {
            // Not yet used: the face it shows at most.
            EXPECT_EQ(::SendMessageW(ours, CB_GETCOUNT, 0, 0), c.shown ? 1 : 0) << name;
        }
        switch (c.use) {
        case Use::DropDown:
            ::SendMessageW(ours, CB_SHOWDROPDOWN, TRUE, 0);
            ::SendMessageW(ours, CB_SHOWDROPDOWN, FALSE, 0);
            break;
        case Use::FocusThenDownKey:
            ::SetFocus(ours);
            ASSERT_EQ(::GetFocus(), ours) << name;
            break;
        case Use::Wheel:
            break;
        }
        Turn(ours, c.use);
        const ListState expected = StateOf(theirs);
        EXPECT_GT(expected.entries.size(), 2u) << name;
        EXPECT_TRUE(StateOf(ours) == expected) << name;
    }
}

TEST_F(ListsOnFirstUse, ApplyWithoutAnyListOpenedSavesTheFacesAsBefore)
{
    // The build installs Times New Roman, Arial, Comic Sans MS and Impact, not Courier.
    struct Case {
        const char* stored;  // the section Font as the file holds it
        const char* saved;   // as Apply leaves it
    };
    const Case cases[] = {
        /* 0 */ {"", "[Font]\r\nSerifFontFamily=Times New Roman\r\nCursiveFontFamily=Comic Sans MS\r\n"
                     "FantasyFontFamily=Impact\r\nStandardFontFamily=Times New Roman\r\nSansSerifFontFamily=Arial\r\n"
                     "FixedFontFamily=Courier\r\nDefaultFontSize=16\r\nDefaultFixedFontSize=13\r\nMinimumFontSize=1\r\n"
                     "MinimumLogicalFontSize=9\r\n"},
        /* 1 */ {"[Font]\r\nSerifFontFamily=times new roman\r\nSansSerifFontFamily=No Such Face\r\n"
                 "StandardFontFamily=\r\nFixedFontFamily=DejaVu Sans Mono\r\nCursiveFontFamily=DejaVu Sans\r\n"
                 "FantasyFontFamily=DejaVu Serif\r\nDefaultFontSize=20\r\nDefaultFixedFontSize=14\r\n"
                 "MinimumFontSize=3\r\nMinimumLogicalFontSize=8\r\n",
                 "[Font]\r\nSerifFontFamily=Times New Roman\r\nSansSerifFontFamily=No Such Face\r\n"
                 "StandardFontFamily=Times New Roman\r\nFixedFontFamily=DejaVu Sans Mono\r\nCursiveFontFamily=DejaVu Sans\r\n"
                 "FantasyFontFamily=DejaVu Serif\r\nDefaultFontSize=20\r\nDefaultFixedFontSize=14\r\n"
                 "MinimumFontSize=3\r\nMinimumLogicalFontSize=8\r\n"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        WorkingFolderFixture own(WorkingFolderFixture::Accounts::One);
        own.WriteEngineFile(std::string("[ScrollPage]\r\nScrollPageSmoothly=true\r\n") + cases[i].stored);
        CVelltuneDlg fresh;
        ASSERT_TRUE(fresh.CreateModeless()) << i;
        ::SendMessageW(fresh.Handle(), WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                       reinterpret_cast<LPARAM>(fresh.Item(IDC_APPLY)));
        const std::string bytes = ReadFileBytes(own.EngineFile());
        const size_t font = bytes.find("[Font]\r\n");
        ASSERT_NE(font, std::string::npos) << i;
        EXPECT_EQ(bytes.substr(font), cases[i].saved) << i;
        for (int id : ui::kFaceLists) EXPECT_LE(::SendMessageW(fresh.Item(id), CB_GETCOUNT, 0, 0), 1) << i << " " << id;
    }
    EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
