// Export and import in the real main dialog, through the system's file
// dialogs answered from a second thread as a user would answer them.
#include <thread>

#include "MainDialogHarness.h"

using namespace velltune::test;

namespace {

const char kEngine[] =
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=30\r\n"
    "WheelEndDumping=60\r\n"
    "WheelAccel=8\r\n"
    "WheelStep=150\r\n"
    "[Font]\r\n"
    "SerifFontFamily=Arial\r\n"
    "DefaultFontSize=16\r\n";
const char kConfig[] = "[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=1\r\n";

class ProfileDialog : public MainDialogHarness {
protected:
    void SetUp() override
    {
        folder.WriteEngineFile(kEngine);
        folder.AddAccount(L"alice", kConfig);
        ASSERT_TRUE(Open());
        ASSERT_TRUE(SelectAccount(L"alice"));
        // Choosing an account counts as a change; start from a saved state.
        Click(IDC_APPLY);
        ASSERT_FALSE(dialog.IsModified());
        savedEngine = EngineBytes();
        savedConfig = ReadFileBytes(folder.ConfigFile(L"alice"));
    }

    // Chooses the menu command and answers its file dialog with the path.
    void RunFileCommand(UINT command, const std::wstring& caption, const std::wstring& path)
    {
        const DWORD ui = ::GetCurrentThreadId();
        bool answered = false;
        std::thread user([&] {
            HWND box = WaitForDialog(ui, caption, std::chrono::milliseconds(15000));
            if (!box) return;
            // The name field: a combo box in the explorer-style dialog, an edit in older ones.
            HWND name = ::GetDlgItem(box, 1148) ? ::GetDlgItem(box, 1148) : ::GetDlgItem(box, 1152);
            if (!name) return;
            ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
            answered = true;
        });
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        user.join();
        ASSERT_TRUE(answered) << "no file dialog \"" << Utf8(caption) << "\"";
        PumpMessages();
    }

    std::string savedEngine, savedConfig;
};

TEST_F(ProfileDialog, ImportSetsTheControlsAndWritesOnlyOnApply)
{
    const std::wstring profile = folder.Folder() + L"office.ini";
    WriteFileBytes(profile, Utf16LeFileBytes(L"[ScrollPage]\r\nWheelStep=300\r\n[Font]\r\nSerifFontFamily=Impact\r\n"
                                             L"FixedFontFamily=Not Installed Mono\r\nDefaultFontSize=24\r\n"
                                             L"[CreateNewTab]\r\nAddressBarInput=1\r\n"));
    RunFileCommand(ID_MENU_IMPORT, L"Open", profile);

    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{});
    EXPECT_EQ(Text(IDC_EDIT_STEP), L"300");
    EXPECT_EQ(Text(IDC_EDIT_FOREPART), L"30");
    EXPECT_EQ(Text(IDC_EDIT_DEFAULTSIZE), L"24");
    EXPECT_EQ(Text(IDC_FACE_SERIF), L"Impact");
    EXPECT_EQ(Text(IDC_FACE_FIXED), L"Not Installed Mono");
    EXPECT_TRUE(Checked(IDC_CHECK_ADDRESSBAR));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(EngineBytes(), savedEngine);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), savedConfig);

    Click(IDC_APPLY);
    const std::string engine = EngineBytes();
    for (const char* line : {"WheelStep=300\r\n", "SerifFontFamily=Impact\r\n", "FixedFontFamily=Not Installed Mono\r\n",
                             "DefaultFontSize=24\r\n", "WheelBeginDumping=30\r\n"})
        EXPECT_NE(engine.find(line), std::string::npos) << line;
    EXPECT_NE(ReadFileBytes(folder.ConfigFile(L"alice")).find("AddressBarInput=1\r\n"), std::string::npos);
}

TEST_F(ProfileDialog, InvalidProfileNamesTheBadKeyAndChangesNothing)
{
    const std::wstring profile = folder.Folder() + L"bad.ini";
    WriteFileBytes(profile, "[ScrollPage]\r\nWheelStep=250\r\n[Font]\r\nDefaultFontSize=100\r\n");
    RunFileCommand(ID_MENU_IMPORT, L"Open", profile);

    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"The profile " + profile + L" is not valid: [Font] DefaultFontSize=100"});
    EXPECT_EQ(Text(IDC_EDIT_STEP), L"150");
    EXPECT_EQ(Text(IDC_EDIT_DEFAULTSIZE), L"16");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(EngineBytes(), savedEngine);
}

TEST_F(ProfileDialog, ExportWritesWhatTheDialogShows)
{
    SetText(IDC_EDIT_ACCEL, L"450");
    Click(IDC_CHECK_FAVORITES);
    const std::wstring profile = folder.Folder() + L"shown.ini";
    RunFileCommand(ID_MENU_EXPORT, L"Save As", profile);

    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{});
    const std::string bytes = ReadFileBytes(profile);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
    for (const wchar_t* line : {L"WheelBeginDumping=30\r\n", L"WheelAccel=450\r\n", L"SerifFontFamily=Arial\r\n",
                                L"ScrollPageSmoothly=true\r\n", L"ClickOnFavorite=0\r\n", L"SearchBarInput=1\r\n"})
        EXPECT_NE(text.find(line), std::wstring::npos) << Utf8(line);
    // Exporting is no change to the browser's files.
    EXPECT_EQ(EngineBytes(), savedEngine);
}

}  // namespace
