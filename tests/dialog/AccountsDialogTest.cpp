// The account list and the new-tab switches of the real main dialog.
#include "MainDialogHarness.h"
#include "fonts/FitCombo.h"

using namespace velltune::test;

namespace {

const int kNewTabBoxes[3] = {IDC_CHECK_ADDRESSBAR, IDC_CHECK_SEARCHBAR, IDC_CHECK_FAVORITES};

std::wstring ListEntry(HWND list, int index)
{
    wchar_t text[128] = {};
    ::SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

class AccountListDialog : public MainDialogHarness {
protected:
    AccountListDialog() : MainDialogHarness(WorkingFolderFixture::Accounts::None) {}
};

TEST_F(AccountListDialog, ListsTheAccountFoldersSortedWithNoneSelected)
{
    folder.AddAccount(L"bob", nullptr);
    folder.AddAccount(L"Alice", nullptr);
    folder.AddAccount(L"carol", nullptr);
    WriteFileBytes(folder.DataFolder() + L"Users\\notes.txt", "not an account");
    ASSERT_TRUE(Open());

    HWND list = Item(IDC_ACCOUNT_LIST);
    DropDown(IDC_ACCOUNT_LIST);
    ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListEntry(list, 0), L"Alice");
    EXPECT_EQ(ListEntry(list, 1), L"bob");
    EXPECT_EQ(ListEntry(list, 2), L"carol");
    EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
    for (int id : kNewTabBoxes) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(AccountListDialog, IsFittedAsFittingItsEntriesOneByOne)
{
    const std::wstring longest = L"an account with a rather long name for the list";
    for (const wchar_t* name : {L"bob", longest.c_str(), L"carol"}) folder.AddAccount(name, nullptr);
    ASSERT_TRUE(Open());

    win::Dialog reference(IDD_VELLTUNE_DIALOG);
    ASSERT_TRUE(reference.CreateModeless());
    HWND theirs = reference.Item(IDC_ACCOUNT_LIST);
    for (const wchar_t* name : {L"bob", longest.c_str(), L"carol"})
        ::SendMessageW(theirs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    fonts::FitComboToItems(theirs);

    HWND ours = Item(IDC_ACCOUNT_LIST);
    DropDown(IDC_ACCOUNT_LIST);
    RECT box{};
    ::GetWindowRect(ours, &box);
    EXPECT_GT(::SendMessageW(ours, CB_GETDROPPEDWIDTH, 0, 0), box.right - box.left) << "not widened at all";
    EXPECT_EQ(::SendMessageW(ours, CB_GETDROPPEDWIDTH, 0, 0), ::SendMessageW(theirs, CB_GETDROPPEDWIDTH, 0, 0));
    EXPECT_EQ(::SendMessageW(ours, CB_GETITEMHEIGHT, 0, 0), ::SendMessageW(theirs, CB_GETITEMHEIGHT, 0, 0));
}

TEST_F(AccountListDialog, MissingUsersFolderIsReportedOnceAndTheDialogStillOpens)
{
    ASSERT_TRUE(::RemoveDirectoryW((folder.DataFolder() + L"Users").c_str()));
    ASSERT_TRUE(Open());
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Failed to get Nerovia 3 users list!"});
    EXPECT_EQ(::SendMessageW(Item(IDC_ACCOUNT_LIST), CB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_FALSE(dialog.IsModified());
    for (int id : kNewTabBoxes) EXPECT_FALSE(Enabled(id)) << id;
}

using NewTabDialog = MainDialogHarness;

TEST_F(NewTabDialog, MissingSectionShowsClearTickedTickedAndApplyAddsIt)
{
    folder.AddAccount(L"alice", "[General]\r\nName=alice\r\n");
    ASSERT_TRUE(Open());
    ASSERT_TRUE(SelectAccount(L"alice"));
    EXPECT_EQ(dialog.CurrentAccount(), L"alice");
    EXPECT_FALSE(Checked(IDC_CHECK_ADDRESSBAR));
    EXPECT_TRUE(Checked(IDC_CHECK_SEARCHBAR));
    EXPECT_TRUE(Checked(IDC_CHECK_FAVORITES));
    for (int id : kNewTabBoxes) EXPECT_TRUE(Enabled(id)) << id;

    Click(IDC_CHECK_FAVORITES);
    Click(IDC_APPLY);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")),
              "[General]\r\nName=alice\r\n[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=0\r\n");
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(NewTabDialog, StoredTwoShowsTickedAndIsSavedAsOne)
{
    folder.AddAccount(L"alice", "[CreateNewTab]\r\nAddressBarInput=2\r\nSearchBarInput=0\r\nClickOnFavorite=0\r\n");
    ASSERT_TRUE(Open());
    ASSERT_TRUE(SelectAccount(L"alice"));
    EXPECT_TRUE(Checked(IDC_CHECK_ADDRESSBAR));
    EXPECT_FALSE(Checked(IDC_CHECK_SEARCHBAR));
    Click(IDC_CHECK_FAVORITES);
    Click(IDC_APPLY);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")),
              "[CreateNewTab]\r\nAddressBarInput=1\r\nSearchBarInput=0\r\nClickOnFavorite=1\r\n");
}

TEST_F(NewTabDialog, NoAccountChosenWritesNoNewTabKey)
{
    const char config[] = "[General]\r\nName=alice\r\n";
    folder.AddAccount(L"alice", config);
    ASSERT_TRUE(Open());
    Click(IDC_RADIO_SCROLL_ON);
    Click(IDC_APPLY);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), config);
    EXPECT_NE(EngineBytes().find("WheelStep=140"), std::string::npos) << "the smooth-scroll save still ran";
}

TEST_F(NewTabDialog, AccountWithoutConfigIsReportedAndNothingIsWrittenForIt)
{
    const char config[] = "[CreateNewTab]\r\nAddressBarInput=1\r\nSearchBarInput=0\r\nClickOnFavorite=1\r\n";
    folder.AddAccount(L"alice", config);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(SelectAccount(L"alice"));
    Click(IDC_APPLY);
    ASSERT_FALSE(Enabled(IDC_APPLY));

    ASSERT_TRUE(SelectAccount(L"Default"));  // the fixture's account has no config.ini
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Cannot find Nerovia 3 user config file."});
    EXPECT_EQ(dialog.CurrentAccount(), L"");
    for (int id : kNewTabBoxes) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_CHECK_ADDRESSBAR)) << "the ticks stay as they were";
    EXPECT_FALSE(Checked(IDC_CHECK_SEARCHBAR));
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "a failed choice is no change";

    Click(IDC_RADIO_SCROLL_ON);
    WriteFileBytes(folder.ConfigFile(L"alice"), config);
    Click(IDC_APPLY);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), config);
    EXPECT_FALSE(FileExists(folder.ConfigFile(L"Default")));

    // A valid account afterwards takes the boxes back.
    ASSERT_TRUE(SelectAccount(L"alice"));
    for (int id : kNewTabBoxes) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(dialog.CurrentAccount(), L"alice");
}

// Blanks around "=": any write through the profile service would rewrite
// these bytes, so unchanged bytes show that nothing was written.
const char kLooseConfig[] =
    "[CreateNewTab]\r\nAddressBarInput = 0\r\nSearchBarInput = 1\r\nClickOnFavorite = 1\r\n";

struct Switches {
    int addressBar, searchBar, favorite;
    bool operator==(const Switches&) const = default;
};

Switches StoredSwitches(const std::wstring& config)
{
    const auto read = [&config](const wchar_t* key) {
        return static_cast<int>(::GetPrivateProfileIntW(L"CreateNewTab", key, -1, config.c_str()));
    };
    return {read(L"AddressBarInput"), read(L"SearchBarInput"), read(L"ClickOnFavorite")};
}

// Each account keeps the switches the user left it with while the window is
// open; Apply writes every changed account, Close none.
TEST_F(NewTabDialog, SwitchesOfEachAccountSurviveChoosingAnotherUntilAppliedOrClosed)
{
    for (const wchar_t* account : {L"alice", L"bob", L"carol"}) folder.AddAccount(account, kLooseConfig);
    ASSERT_TRUE(Open());
    const auto shown = [this] {
        return Switches{Checked(IDC_CHECK_ADDRESSBAR), Checked(IDC_CHECK_SEARCHBAR), Checked(IDC_CHECK_FAVORITES)};
    };
    ASSERT_TRUE(SelectAccount(L"alice"));
    ASSERT_TRUE(SelectAccount(L"carol"));
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "choosing accounts alone changes nothing";
    EXPECT_EQ(Text(IDCANCEL), L"Close");

    ASSERT_TRUE(SelectAccount(L"alice"));
    Click(IDC_CHECK_ADDRESSBAR);
    ASSERT_TRUE(SelectAccount(L"bob"));
    EXPECT_EQ(shown(), (Switches{0, 1, 1})) << "bob's file";
    Click(IDC_CHECK_FAVORITES);
    ASSERT_TRUE(SelectAccount(L"alice"));
    EXPECT_EQ(shown(), (Switches{1, 1, 1})) << "alice's tick";
    ASSERT_TRUE(SelectAccount(L"bob"));
    EXPECT_EQ(shown(), (Switches{0, 1, 0})) << "bob's change";

    Click(IDC_APPLY);
    EXPECT_EQ(StoredSwitches(folder.ConfigFile(L"alice")), (Switches{1, 1, 1}));
    EXPECT_EQ(StoredSwitches(folder.ConfigFile(L"bob")), (Switches{0, 1, 0}));
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"carol")), kLooseConfig) << "carol was not changed";
    EXPECT_TRUE(boxes.Texts().empty());

    // Changes made after the save go with Close.
    const std::string alice = ReadFileBytes(folder.ConfigFile(L"alice"));
    const std::string bob = ReadFileBytes(folder.ConfigFile(L"bob"));
    Click(IDC_CHECK_SEARCHBAR);
    ASSERT_TRUE(SelectAccount(L"alice"));
    Click(IDC_CHECK_SEARCHBAR);
    Click(IDCANCEL);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), alice);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"bob")), bob);
}

}  // namespace
