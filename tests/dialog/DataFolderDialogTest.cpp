// The data-folder dialog on its own, and the way the main dialog settles its
// data folder at start and from the menu. Dialogs that the main dialog opens
// modally are driven from a second thread.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "ProcessSupport.h"
#include "browser/DialogSetDataFolder.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"
#include "win/Text.h"

using namespace velltune::test;
using namespace std::chrono_literals;

namespace {

const wchar_t kWrongFolder[] = L"Cannot find Nerovia 3 settings file.\n\nPlease specify the correct folder!";

void MakeDataFolder(const std::wstring& folder)
{
    WriteFileBytes(folder + L"Temp\\WebKit\\WKSetting.ini", "[ScrollPage]\r\nScrollPageSmoothly=true\r\n");
    ::CreateDirectoryW((folder + L"Users").c_str(), nullptr);
    ::CreateDirectoryW((folder + L"Users\\alice").c_str(), nullptr);
}

std::wstring WithoutFinalBackslash(const std::wstring& folder)
{
    return folder.substr(0, folder.size() - 1);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

bool WaitUntil(const std::function<bool()>& condition)
{
    for (int i = 0; i < 1000; ++i, std::this_thread::sleep_for(10ms))
        if (condition()) return true;
    return false;
}

// Every test here expects no default folder in the application-data folder.
bool DefaultFolderExists()
{
    wchar_t appData[MAX_PATH];
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return false;
    return FileExists(std::wstring(appData) + L"\\Nerovia3\\Temp\\WebKit\\WKSetting.ini");
}

class DataFolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_FALSE(DefaultFolderExists());
    }
    void StoreDataFolder(const std::wstring& text)
    {
        WriteFileBytes(folder.Folder() + L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(text) + "\r\n");
    }
    std::string SettingsBytes() { return ReadFileBytes(folder.Folder() + L"Settings.ini"); }

    WorkingFolderFixture folder;
    TempDir other;
    MessageBoxWatcher boxes;
};

// ---- The dialog on its own ----------------------------------------------------------------

class SetDataFolderDialog : public DataFolderDialogTest {
protected:
    void Open()
    {
        ASSERT_TRUE(dialog.CreateModeless());
        ::ShowWindow(dialog.Handle(), SW_SHOW);
    }
    void Accept(const std::wstring& text)
    {
        win::SetItemText(dialog.Handle(), IDC_DATAFOLDER_EDIT, text);
        ::SendMessageW(dialog.Item(IDOK), BM_CLICK, 0, 0);
    }
    std::wstring Text(int id) { return win::GetItemText(dialog.Handle(), id); }

    CDialogSetDataFolder dialog;
};

TEST_F(SetDataFolderDialog, IsPrefilledAndTakesItsTextsFromTheSavedLanguage)
{
    WriteFileBytes(folder.Folder() + L"Settings.ini",
                   "[General]\r\nDataFolder=D:\\somewhere\r\nLanguageFile=Test.ini\r\n");
    WriteFileBytes(folder.Folder() + L"Language\\Test.ini",
                   "[General]\r\nOK=Gut\r\nCancel=Abbruch\r\nSpecifyDataFolder=Ordner:\r\nIncorrectFolder=Falsch!\r\n");
    Open();
    EXPECT_EQ(Text(IDC_DATAFOLDER_EDIT), L"D:\\somewhere");
    EXPECT_EQ(Text(IDOK), L"Gut");
    EXPECT_EQ(Text(IDCANCEL), L"Abbruch");
    EXPECT_EQ(Text(IDC_DATAFOLDER_PROMPT), L"Ordner:");
    EXPECT_EQ(TextOf(dialog.Handle()), L"Velltune");

    Accept(L"");
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Falsch!"});
    EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(SetDataFolderDialog, WrongFolderGivesTheTwoPartMessageAndStaysOpen)
{
    Open();
    const std::string before = SettingsBytes();
    Accept(other.Path());
    Accept(L"   ");
    EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{kWrongFolder, kWrongFolder}));
    EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(SetDataFolderDialog, FolderWithoutFinalBackslashIsAcceptedWithIt)
{
    MakeDataFolder(other.Path());
    Open();
    Accept(WithoutFinalBackslash(other.Path()));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.AcceptedFolder(), other.Path());
    EXPECT_EQ(SettingsBytes(), "[General]\r\nDataFolder=" + Utf8(other.Path()) + "\r\n");
}

TEST_F(SetDataFolderDialog, CancelWritesNothing)
{
    MakeDataFolder(other.Path());
    Open();
    const std::string before = SettingsBytes();
    win::SetItemText(dialog.Handle(), IDC_DATAFOLDER_EDIT, other.Path());
    ::SendMessageW(dialog.Item(IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(dialog.AcceptedFolder(), L"");
    EXPECT_EQ(SettingsBytes(), before);
}

// The folder browser that the browse button runs on this thread: a dialog with a tree.
HWND FindFolderBrowser(DWORD thread, HWND except)
{
    struct Search {
        HWND except;
        HWND found = nullptr;
    } search{except};
    for (int i = 0; i < 500 && !search.found; ++i, std::this_thread::sleep_for(10ms)) {
        ::EnumThreadWindows(
            thread,
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                if (w != s->except && ::IsWindowVisible(w) && ::FindWindowExW(w, nullptr, WC_TREEVIEWW, nullptr)) {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

TEST_F(SetDataFolderDialog, BrowsingFillsTheFieldAsReturnedAndCancellingKeepsIt)
{
    Open();
    win::SetItemText(dialog.Handle(), IDC_DATAFOLDER_EDIT, L"typed");
    const DWORD uiThread = ::GetCurrentThreadId();
    for (const int button : {IDCANCEL, IDOK}) {
        bool found = false;
        std::thread driver([&] {
            HWND browser = FindFolderBrowser(uiThread, dialog.Handle());
            found = browser != nullptr;
            if (browser) ::PostMessageW(browser, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        ::SendMessageW(dialog.Item(IDC_DATAFOLDER_BROWSE), BM_CLICK, 0, 0);
        driver.join();
        ASSERT_TRUE(found);
        if (button == IDCANCEL) {
            EXPECT_EQ(Text(IDC_DATAFOLDER_EDIT), L"typed");
        }
    }
    // The browser opens on the desktop, a folder of the file system.
    wchar_t desktop[MAX_PATH];
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop), S_OK);
    EXPECT_EQ(Text(IDC_DATAFOLDER_EDIT), desktop);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(SetDataFolderDialog, BrowsingStartsAtTheFieldsFolderAndSaysWhatToChoose)
{
    Open();
    win::SetItemText(dialog.Handle(), IDC_DATAFOLDER_EDIT, other.Path());
    const DWORD uiThread = ::GetCurrentThreadId();
    std::vector<std::wstring> texts;
    std::thread driver([&] {
        HWND browser = FindFolderBrowser(uiThread, dialog.Handle());
        if (!browser) return;
        for (HWND w = ::GetWindow(browser, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) texts.push_back(TextOf(w));
        ::PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    ::SendMessageW(dialog.Item(IDC_DATAFOLDER_BROWSE), BM_CLICK, 0, 0);
    driver.join();
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        L"Choose the Nerovia 3 Data folder: the folder that holds the folders Temp and Users."),
              texts.end());
    // Accepted untouched, the browser gives back the folder it opened at.
    EXPECT_EQ(Text(IDC_DATAFOLDER_EDIT), WithoutFinalBackslash(other.Path()));
}

// ---- The main dialog settling its folder --------------------------------------------------

// Runs an action on this thread while a second thread drives the data-folder
// dialog that the action opens modally, if it does; the dialog is closed
// afterwards whatever the steps did, so that the test cannot hang.
class MainDialogStart : public DataFolderDialogTest {
protected:
    // The steps get the data-folder dialog once it appears.
    void Driving(const std::function<void()>& action, const std::function<void(HWND)>& steps)
    {
        const DWORD uiThread = ::GetCurrentThreadId();
        std::atomic<bool> actionDone{false};
        std::atomic<bool> driverDone{false};
        std::thread driver([&] {
            HWND setFolder = nullptr;
            while (!setFolder && !actionDone) setFolder = WaitForDialog(uiThread, L"Velltune", 50ms);
            if (setFolder) {
                steps(setFolder);
                if (::IsWindow(setFolder) && ::IsWindowVisible(setFolder))
                    ::PostMessageW(setFolder, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
            driverDone = true;
        });
        action();
        actionDone = true;
        // The driver reads window texts, which this thread must answer meanwhile.
        while (!driverDone) {
            PumpMessages();
            std::this_thread::sleep_for(5ms);
        }
        driver.join();
    }
    void OpenDriving(const std::function<void(HWND)>& steps)
    {
        Driving(
            [this] {
                HWND main = dialog.CreateModeless();
                PumpMessages();
                if (main && !dialog.HasEnded()) ::ShowWindow(main, SW_SHOW);
            },
            steps);
    }
    static void Submit(HWND setFolder, const std::wstring& text)
    {
        ::SendMessageW(::GetDlgItem(setFolder, IDC_DATAFOLDER_EDIT), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(text.c_str()));
        ::PostMessageW(setFolder, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    static bool SubmitAndWaitForClose(HWND setFolder, const std::wstring& text)
    {
        Submit(setFolder, text);
        return WaitUntil([setFolder] { return !::IsWindow(setFolder) || !::IsWindowVisible(setFolder); });
    }

    CVelltuneDlg dialog;
};

TEST_F(MainDialogStart, ValidStoredFolderOpensNoDialog)
{
    bool asked = false;
    OpenDriving([&](HWND) { asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_EQ(dialog.DataFolder(), folder.DataFolder());
    EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(MainDialogStart, BothInvalidOpensTheDialogPrefilledAndCancelEndsTheProgram)
{
    StoreDataFolder(other.Path());
    std::wstring prefilled;
    OpenDriving([&](HWND setFolder) { prefilled = TextOf(::GetDlgItem(setFolder, IDC_DATAFOLDER_EDIT)); });
    EXPECT_EQ(prefilled, other.Path());
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Cannot find Nerovia 3 settings file.\n\nPlease reinstall Nerovia 3!"});
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_EQ(dialog.DataFolder(), L"");
}

TEST_F(MainDialogStart, StoredFolderWithoutBackslashIsTakenWithoutAskingAndStoredWithIt)
{
    MakeDataFolder(other.Path());
    StoreDataFolder(WithoutFinalBackslash(other.Path()));
    bool asked = false;
    OpenDriving([&](HWND) { asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(dialog.DataFolder(), other.Path());
    // The language remembered at start writes Settings.ini, and the folder goes along.
    EXPECT_EQ(SettingsBytes(), "[General]\r\nDataFolder=" + Utf8(other.Path()) + "\r\nLanguageFile=English.ini\r\n");
    ::SendMessageW(dialog.Item(IDC_ACCOUNT_LIST), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(::SendMessageW(dialog.Item(IDC_ACCOUNT_LIST), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(MainDialogStart, WrongFolderIsRefusedUntilARightOneIsGiven)
{
    MakeDataFolder(other.Path());
    StoreDataFolder(L"");
    OpenDriving([&](HWND setFolder) {
        Submit(setFolder, folder.Folder());
        WaitUntil([&] { return boxes.Texts().size() == 1; });
        SubmitAndWaitForClose(setFolder, other.Path());
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kWrongFolder});
    EXPECT_NE(boxes.Boxes()[0].owner, dialog.Handle()) << "the data-folder dialog owns its messages";
    EXPECT_EQ(dialog.DataFolder(), other.Path());
}

TEST_F(MainDialogStart, UnwritableSettingsFileStillGoesOnWithTheAcceptedFolder)
{
    MakeDataFolder(other.Path());
    StoreDataFolder(folder.Folder() + L"nowhere\\");
    const std::string before = SettingsBytes();
    {
        FileLock lock(folder.Folder() + L"Settings.ini");
        ASSERT_TRUE(lock.Held());
        OpenDriving([&](HWND setFolder) { SubmitAndWaitForClose(setFolder, other.Path()); });
    }
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(dialog.DataFolder(), other.Path());
    ::SendMessageW(dialog.Item(IDC_ACCOUNT_LIST), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(::SendMessageW(dialog.Item(IDC_ACCOUNT_LIST), CB_GETCOUNT, 0, 0), 1) << "accounts of the accepted folder";
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(MainDialogStart, MenuCommandSwitchesTheFolderThatLaterSavesUse)
{
    OpenDriving([](HWND) {});
    ASSERT_FALSE(dialog.HasEnded());
    const std::string oldEngine = ReadFileBytes(folder.EngineFile());
    MakeDataFolder(other.Path());
    // A size the window does not show: what is shown counts as the user's in the other folder.
    WriteFileBytes(other.Path() + L"Temp\\WebKit\\WKSetting.ini",
                   "[ScrollPage]\r\nScrollPageSmoothly=true\r\n[Font]\r\nDefaultFontSize=30\r\n");
    const std::wstring shownSize = win::GetItemText(dialog.Handle(), IDC_EDIT_DEFAULTSIZE);
    ASSERT_NE(shownSize, L"30");

    bool asked = false;
    Driving([this] { ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_MENU_SETDATAFOLDER, 0), 0); },
            [&](HWND setFolder) {
                asked = true;
                SubmitAndWaitForClose(setFolder, other.Path());
            });
    EXPECT_TRUE(asked);
    EXPECT_EQ(dialog.DataFolder(), other.Path());
    EXPECT_FALSE(dialog.IsModified()) << "changing the folder is no change of settings";

    ::SendMessageW(dialog.Item(IDC_RESET_SCROLL), BM_CLICK, 0, 0);
    ::SendMessageW(dialog.Item(IDC_APPLY), BM_CLICK, 0, 0);
    EXPECT_EQ(ReadFileBytes(folder.EngineFile()), oldEngine);
    const std::string otherEngine = ReadFileBytes(other.Path() + L"Temp\\WebKit\\WKSetting.ini");
    EXPECT_NE(otherEngine.find("WheelStep=140"), std::string::npos);
    EXPECT_NE(otherEngine.find("DefaultFontSize=" + Utf8(shownSize) + "\r\n"), std::string::npos) << otherEngine;
}

}  // namespace
