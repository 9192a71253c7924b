// Velltune.exe from start to end, driven from outside as a user would, with
// the browser's files read afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "AppDriver.h"
#include "CommandLineRun.h"
#include "FileTree.h"
#include "ProcessSupport.h"
#include "SampleFiles.h"
#include "TestSupport.h"
#include "resource.h"

using namespace velltune::test;

namespace {

const char* const kEngine = kSampleEngineFile;

const char* const kAliceConfig = kSampleAccountConfig;

// The same settings as the profile service would never leave them: blanks
// around "=" and a blank line. Any write through it rewrites these bytes.
const char kLooseEngine[] =
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly = true\r\n"
    "WheelBeginDumping = 20\r\n"
    "\r\n"
    "WheelEndDumping = 50\r\n"
    "WheelAccel = 4\r\n"
    "WheelStep = 140\r\n"
    "[Font]\r\n"
    "SerifFontFamily = DejaVu Serif\r\n"
    "DefaultFontSize = 16\r\n";

const char kLooseConfig[] =
    "[CreateNewTab]\r\n"
    "\r\n"
    "AddressBarInput = 0\r\n";

const wchar_t kNV3Running[] =
    L"Settings cannot be saved while Nerovia 3 is running.\n\nPlease exit Nerovia 3 and try again later.";

class E2E : public ::testing::Test {
protected:
    // A crash that the program survives still fails the test.
    void TearDown() override
    {
        for (const Fault& fault : app.Faults()) ADD_FAILURE() << "Velltune raised " << FaultName(fault.code);
    }

    std::wstring WorkingFolder() const { return dir / L"work\\"; }
    std::wstring DataFolder() const { return dir / L"data\\"; }
    std::wstring EngineFile() const { return DataFolder() + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring ConfigFile(const std::wstring& account) const
    {
        return DataFolder() + L"Users\\" + account + L"\\Config\\config.ini";
    }
    std::wstring SettingsFile() const { return WorkingFolder() + L"Settings.ini"; }

    // A working folder whose Settings.ini names a data folder with the
    // accounts alice (with config.ini) and guest (without).
    void MakeFixture(const char* engine, const char* aliceConfig)
    {
        WriteFileBytes(EngineFile(), engine);
        WriteFileBytes(ConfigFile(L"alice"), aliceConfig);
        ::CreateDirectoryW((DataFolder() + L"Users\\guest").c_str(), nullptr);
        WriteFileBytes(SettingsFile(), "[General]\r\nDataFolder=" + Utf8(DataFolder()) + "\r\n");
    }

    HWND StartAndWaitForMainWindow()
    {
        if (!app.Start(WorkingFolder())) {
            ADD_FAILURE() << "cannot start Velltune.exe, error " << ::GetLastError();
            return nullptr;
        }
        HWND main = app.WaitForMainWindow();
        EXPECT_TRUE(main) << "the main window did not appear";
        return main;
    }

    // Closes with the Close button and expects a normal end.
    void CloseAndExpectExit()
    {
        ASSERT_TRUE(app.Click(IDCANCEL));
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(app.ExitCode(), 0u);
    }

    // Snapshot of a file: bytes and last-write time.
    struct FileState {
        std::string bytes;
        ULONGLONG written;
        bool operator==(const FileState&) const = default;
    };
    static FileState StateOf(const std::wstring& path) { return {ReadFileBytes(path), LastWriteTime(path)}; }

    bool CopyShippedLanguages() const
    {
        ::CreateDirectoryW((WorkingFolder() + L"Language").c_str(), nullptr);
        for (const wchar_t* name : {L"Chinese Simplified.ini", L"Chinese Traditional.ini", L"German.ini"})
            if (!::CopyFileW((BuildFolder() + L"Language\\" + name).c_str(),
                             (WorkingFolder() + L"Language\\" + name).c_str(), FALSE))
                return false;
        return true;
    }

    TempDir dir;
    VelltuneApp app;  // after dir: the program ends before its folder goes
};

TEST_F(E2E, TypicalChangeStepSizeThenApplyWritesOnlyThatValue)
{
    MakeFixture(kEngine, kAliceConfig);
    const FileState config = StateOf(ConfigFile(L"alice"));
    ASSERT_TRUE(StartAndWaitForMainWindow());

    EXPECT_EQ(app.Text(IDC_EDIT_STEP), L"140");
    EXPECT_FALSE(app.IsEnabled(IDC_APPLY));
    EXPECT_EQ(app.Text(IDCANCEL), L"Close");

    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
    EXPECT_TRUE(app.IsEnabled(IDC_APPLY));
    EXPECT_EQ(app.Text(IDCANCEL), L"Cancel");
    ASSERT_TRUE(app.Click(IDC_APPLY));
    EXPECT_FALSE(app.WaitForMessageBox(milliseconds(300))) << "Apply raised a message";

    std::string expected = kEngine;
    expected.replace(expected.find("WheelStep=140"), 13, "WheelStep=200");
    EXPECT_EQ(ReadFileBytes(EngineFile()), expected);
    EXPECT_EQ(StateOf(ConfigFile(L"alice")), config) << "no account was chosen";
    EXPECT_FALSE(app.IsEnabled(IDC_APPLY));
    EXPECT_EQ(app.Text(IDCANCEL), L"Close");

    CloseAndExpectExit();
    EXPECT_EQ(ReadFileBytes(EngineFile()), expected);
}

TEST_F(E2E, ChosenAccountsSwitchesAreSavedByOk)
{
    MakeFixture(kEngine, kAliceConfig);
    ASSERT_TRUE(StartAndWaitForMainWindow());
    EXPECT_FALSE(app.IsEnabled(IDC_CHECK_ADDRESSBAR)) << "no account is chosen at start";

    // An account without config.ini is reported and leaves the switches off.
    ASSERT_TRUE(app.Pick(IDC_ACCOUNT_LIST, L"guest"));
    HWND box = app.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(VelltuneApp::MessageText(box), L"Cannot find Nerovia 3 user config file.");
    ASSERT_TRUE(app.Answer(box));
    EXPECT_FALSE(app.IsEnabled(IDC_CHECK_ADDRESSBAR));

    ASSERT_TRUE(app.Pick(IDC_ACCOUNT_LIST, L"alice"));
    ASSERT_TRUE(app.IsEnabled(IDC_CHECK_ADDRESSBAR));
    ASSERT_TRUE(app.Click(IDC_CHECK_ADDRESSBAR));
    ASSERT_TRUE(app.Click(IDOK));
    ASSERT_TRUE(app.WaitForExit()) << "OK with valid values closes";
    EXPECT_EQ(app.ExitCode(), 0u);

    std::string expected = kAliceConfig;
    expected.replace(expected.find("AddressBarInput=0"), 17, "AddressBarInput=1");
    EXPECT_EQ(ReadFileBytes(ConfigFile(L"alice")), expected);
    EXPECT_EQ(ReadFileBytes(EngineFile()), kEngine) << "values read and written back unchanged";
}

// A stored face is written back as it stands, byte for byte, while the user
// only changes something else; picking another face then saves that one. Run
// under an English and a Chinese system: the family WenQuanYi Zen Hei is
// listed under the name of the system's language, and a stored name in the
// other language must still select it.
TEST_F(E2E, StoredFaceSurvivesAnotherChangeUntilTheUserPicksAnother)
{
    wchar_t lang[64] = {};
    ::GetEnvironmentVariableW(L"LANG", lang, 64);
    const bool chinese = std::wstring(lang).starts_with(L"zh_CN");
    const std::wstring english = L"WenQuanYi Zen Hei";
    const std::wstring simplified = L"\u6587\u6cc9\u9a7f\u6b63\u9ed1";

    struct Case {
        std::wstring stored;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"No Such Font Family", L"No Such Font Family"},  // its own entry
        {chinese ? english : simplified, chinese ? simplified : english},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.stored));
        // UTF-16, as a name in any language needs; the profile service keeps it so.
        std::wstring engine = Utf16(kEngine);
        engine.replace(engine.find(L"SerifFontFamily=DejaVu Serif"), 28, L"SerifFontFamily=" + c.stored);
        MakeFixture("", kAliceConfig);
        WriteFileBytes(EngineFile(), Utf16LeFileBytes(engine));
        VelltuneApp run;  // one program per case; the fixture's own stays unused
        ASSERT_TRUE(run.Start(WorkingFolder()));
        ASSERT_TRUE(run.WaitForMainWindow());

        EXPECT_EQ(run.SelectedEntry(IDC_FACE_SERIF), c.shown);
        EXPECT_EQ(run.SelectedEntry(IDC_FACE_STANDARD), L"DejaVu Serif") << "only the role's own list changes";
        ASSERT_TRUE(run.SetText(IDC_EDIT_STEP, L"200"));
        ASSERT_TRUE(run.Click(IDC_APPLY));
        std::wstring expected = engine;
        expected.replace(expected.find(L"WheelStep=140"), 13, L"WheelStep=200");
        EXPECT_EQ(ReadFileBytes(EngineFile()), Utf16LeFileBytes(expected));

        ASSERT_TRUE(run.Pick(IDC_FACE_SERIF, L"DejaVu Sans"));
        ASSERT_TRUE(run.Click(IDC_APPLY));
        expected.replace(expected.find(L"SerifFontFamily=" + c.stored), 16 + c.stored.size(),
                         L"SerifFontFamily=DejaVu Sans");
        EXPECT_EQ(ReadFileBytes(EngineFile()), Utf16LeFileBytes(expected));

        ASSERT_TRUE(run.Click(IDCANCEL));
        ASSERT_TRUE(run.WaitForExit());
        for (const Fault& fault : run.Faults()) ADD_FAILURE() << "Velltune raised " << FaultName(fault.code);
    }
}

TEST_F(E2E, WithoutDataFolderAndTheDialogCancelledItReportsOnceAndEnds)
{
    // The default data folder must not exist in the prefix, or it would be found.
    wchar_t appData[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    ASSERT_FALSE(FileExists(std::wstring(appData) + L"\\Nerovia3\\Temp\\WebKit\\WKSetting.ini"));
    ::CreateDirectoryW(WorkingFolder().c_str(), nullptr);

    ASSERT_TRUE(app.Start(WorkingFolder()));
    VisibilityWatch mainWindow(app.ProcessId(), VelltuneApp::kTitle);

    HWND ask = app.WaitForDialog(L"Velltune", IDC_DATAFOLDER_EDIT);
    ASSERT_TRUE(ask) << "the data-folder dialog did not open";
    ASSERT_TRUE(app.ClickIn(ask, IDCANCEL));

    HWND box = app.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(VelltuneApp::MessageText(box), L"Cannot find Nerovia 3 settings file.\n\nPlease reinstall Nerovia 3!");
    ASSERT_TRUE(app.Answer(box));

    // Ending right after the one answer also shows that no second box came.
    ASSERT_TRUE(app.WaitForExit()) << "the program did not end after its message";
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_TRUE(mainWindow.EverCreated());
    EXPECT_FALSE(mainWindow.EverVisible()) << "the main window was shown";
    EXPECT_EQ(ReadFileBytes(SettingsFile()).find("DataFolder"), std::string::npos);
}

TEST_F(E2E, OkWithoutChangesWritesNothing)
{
    MakeFixture(kLooseEngine, kLooseConfig);
    const FileState engine = StateOf(EngineFile());
    const FileState config = StateOf(ConfigFile(L"alice"));
    ASSERT_TRUE(StartAndWaitForMainWindow());

    ASSERT_TRUE(app.Click(IDOK));
    ASSERT_TRUE(app.WaitForExit()) << "OK without changes closes";
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_EQ(StateOf(EngineFile()), engine);
    EXPECT_EQ(StateOf(ConfigFile(L"alice")), config);
}

TEST_F(E2E, ExitWhileModifiedClosesAtOnceAndWritesNothing)
{
    MakeFixture(kLooseEngine, kLooseConfig);
    const FileState engine = StateOf(EngineFile());
    const FileState config = StateOf(ConfigFile(L"alice"));
    ASSERT_TRUE(StartAndWaitForMainWindow());

    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
    ASSERT_TRUE(app.Pick(IDC_ACCOUNT_LIST, L"alice"));
    ASSERT_TRUE(app.Click(IDC_CHECK_SEARCHBAR));
    ASSERT_TRUE(app.IsEnabled(IDC_APPLY));

    app.MenuCommand(ID_MENU_EXIT);
    ASSERT_TRUE(app.WaitForExit()) << "Exit did not close at once";
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_EQ(StateOf(EngineFile()), engine);
    EXPECT_EQ(StateOf(ConfigFile(L"alice")), config);
}

TEST_F(E2E, ARunningNerovia3RefusesApplyAndOk)
{
    MakeFixture(kEngine, kAliceConfig);
    const std::wstring browser = dir / L"browser\\Nerovia.exe";
    ::CreateDirectoryW((dir / L"browser").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((ThisExeFolder() + L"fake_nerovia.exe").c_str(), browser.c_str(), FALSE));
    ChildProcess nerovia;
    ASSERT_TRUE(nerovia.Start(browser, L"120000", dir / L"browser\\"));
    ASSERT_FALSE(nerovia.WaitForExit(0));

    const FileState engine = StateOf(EngineFile());
    ASSERT_TRUE(StartAndWaitForMainWindow());
    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));

    ASSERT_TRUE(app.Click(IDC_APPLY));
    HWND box = app.WaitForMessageBox();
    ASSERT_TRUE(box) << "Apply saved while the browser runs";
    EXPECT_EQ(VelltuneApp::MessageText(box), kNV3Running);
    ASSERT_TRUE(app.Answer(box));
    EXPECT_TRUE(app.IsEnabled(IDC_APPLY));
    EXPECT_EQ(app.Text(IDCANCEL), L"Cancel");

    ASSERT_TRUE(app.Click(IDOK));
    box = app.WaitForMessageBox();
    ASSERT_TRUE(box) << "OK saved while the browser runs";
    EXPECT_EQ(VelltuneApp::MessageText(box), kNV3Running);
    ASSERT_TRUE(app.Answer(box));
    EXPECT_FALSE(app.WaitForExit(milliseconds(300))) << "OK closed although nothing was saved";
    EXPECT_TRUE(::IsWindowVisible(app.MainWindow()));

    EXPECT_EQ(StateOf(EngineFile()), engine);
    CloseAndExpectExit();
    EXPECT_EQ(StateOf(EngineFile()), engine);
}

// Nothing but Settings.ini, the browser files it edits and the backups of
// its two saves: no temporary or log file anywhere in the working or the
// data folder.
TEST_F(E2E, ASessionWithSavesWritesOnlySettingsAndTheEditedBrowserFiles)
{
    MakeFixture(kEngine, kAliceConfig);
    ::CreateDirectoryW((WorkingFolder() + L"Language").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((BuildFolder() + L"Language\\German.ini").c_str(),
                            (WorkingFolder() + L"Language\\German.ini").c_str(), FALSE));
    const FileTree before = SnapshotTree(dir.Path());
    ASSERT_TRUE(StartAndWaitForMainWindow());

    app.MenuCommand(35001);  // German, remembered in Settings.ini
    app.MenuCommand(ID_MENU_SETDATAFOLDER);
    HWND ask = app.WaitForDialog(L"Velltune", IDC_DATAFOLDER_EDIT);
    ASSERT_TRUE(ask);
    ASSERT_TRUE(app.SetTextIn(ask, IDC_DATAFOLDER_EDIT, DataFolder()));
    ASSERT_TRUE(app.ClickIn(ask, IDOK));
    app.MenuCommand(ID_MENU_ABOUT);
    HWND about = app.WaitForDialog(L"\u00dcber Velltune", IDOK);
    ASSERT_TRUE(about);
    ASSERT_TRUE(app.ClickIn(about, IDOK));

    ASSERT_TRUE(app.Pick(IDC_ACCOUNT_LIST, L"alice"));
    ASSERT_TRUE(app.Click(IDC_CHECK_SEARCHBAR));
    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
    ASSERT_TRUE(app.Click(IDC_APPLY));
    ASSERT_FALSE(app.IsEnabled(IDC_APPLY)) << "Apply did not save";
    ASSERT_TRUE(app.SetText(IDC_EDIT_DEFAULTSIZE, L"20"));
    ASSERT_TRUE(app.Click(IDOK));
    ASSERT_TRUE(app.WaitForExit());

    const std::vector<std::string> expected = {"changed data\\Temp\\WebKit\\WKSetting.ini",
                                               "changed data\\Users\\alice\\Config\\config.ini",
                                               "changed work\\Settings.ini", "added data\\Velltune.lock"};
    std::vector<std::string> changes = TreeChanges(before, SnapshotTree(dir.Path()), {});
    // The backup folders are named after the time of each save.
    const auto isBackup = [](const std::string& change) { return change.starts_with("added work\\Backup"); };
    // Backup\ and one folder per save with its list and the files it replaced:
    // both files for Apply, the engine file alone for OK.
    EXPECT_EQ(std::count_if(changes.begin(), changes.end(), isBackup), 1 + (2 + 2) + (2 + 1));
    std::erase_if(changes, isBackup);
    EXPECT_EQ(changes, expected);
}

TEST_F(E2E, LanguageChosenFromTheMenuIsShownAndRemembered)
{
    MakeFixture(kEngine, kAliceConfig);
    ::CreateDirectoryW((WorkingFolder() + L"Language").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((BuildFolder() + L"Language\\German.ini").c_str(),
                            (WorkingFolder() + L"Language\\German.ini").c_str(), FALSE));
    ASSERT_TRUE(StartAndWaitForMainWindow());
    EXPECT_EQ(app.Text(IDOK), L"OK");

    // Only one file is listed, so German is the item after English.
    app.MenuCommand(35001);
    EXPECT_EQ(app.Text(IDC_LABEL_STEP), L"Schritt&weite (0-300):");
    EXPECT_EQ(app.Text(IDCANCEL), L"Schlie\u00dfen");
    CloseAndExpectExit();
    EXPECT_NE(ReadFileBytes(SettingsFile()).find("LanguageFile=German.ini"), std::string::npos);

    // The next start comes up in German.
    VelltuneApp again;
    ASSERT_TRUE(again.Start(WorkingFolder()));
    ASSERT_TRUE(again.WaitForMainWindow());
    EXPECT_EQ(again.Text(IDCANCEL), L"Schlie\u00dfen");
    ASSERT_TRUE(again.Click(IDCANCEL));
    EXPECT_TRUE(again.WaitForExit());
}

// Run by ctest under several LANG values: the shipped files and the system
// language together decide the first start.
TEST_F(E2E, FirstStartFollowsTheSystemLanguage)
{
    wchar_t lang[64] = {};
    ::GetEnvironmentVariableW(L"LANG", lang, 64);
    const std::wstring locale = lang;
    std::wstring expected;
    if (locale.starts_with(L"zh_CN"))
        expected = L"Chinese Simplified.ini";
    else if (locale.starts_with(L"zh_TW") || locale.starts_with(L"zh_HK"))
        expected = L"Chinese Traditional.ini";
    else if (locale.starts_with(L"en_US") || locale.starts_with(L"zh_SG"))
        expected = L"English.ini";
    else
        FAIL() << "no expected language for LANG=" << Utf8(locale);

    MakeFixture(kEngine, kAliceConfig);
    ASSERT_TRUE(CopyShippedLanguages());
    ASSERT_TRUE(StartAndWaitForMainWindow());
    wchar_t close[256] = {};
    ::GetPrivateProfileStringW(L"General", L"Close", L"Close", close, 256,
                               (WorkingFolder() + L"Language\\" + expected).c_str());
    if (expected != L"English.ini") {
        ASSERT_STRNE(close, L"Close") << "the shipped file translates Close";
    }
    EXPECT_EQ(app.Text(IDCANCEL), close) << Utf8(expected);
    CloseAndExpectExit();
    wchar_t saved[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"General", L"LanguageFile", L"", saved, MAX_PATH, SettingsFile().c_str());
    EXPECT_EQ(std::wstring(saved), expected);
}

// A face whose name the engine file in the ANSI code page cannot hold (a
// family named only in Cyrillic on a Western system), brought in by an
// import: Apply and OK refuse it by name, nothing is written and the window
// stays modified.
TEST_F(E2E, FaceTheAnsiEngineFileCannotHoldIsRefusedByName)
{
    MakeFixture(kEngine, kAliceConfig);
    const std::wstring face = L"\u0412\u0442 \u041f\u0440\u043e\u0431\u0430";
    const std::wstring profile = dir / L"cyrillic.ini";
    WriteFileBytes(profile, Utf16LeFileBytes(L"[Font]\r\nSerifFontFamily=" + face + L"\r\n"));
    const FileTree before = SnapshotTree(DataFolder());
    ASSERT_TRUE(StartAndWaitForMainWindow());

    app.MenuCommand(ID_MENU_IMPORT);
    HWND open = app.WaitForDialog(L"Open", IDOK);
    ASSERT_TRUE(open);
    // The name field: a combo box in the explorer-style dialog, an edit in older ones.
    ASSERT_TRUE(app.SetTextIn(open, ::GetDlgItem(open, 1148) ? 1148 : 1152, profile));
    ASSERT_TRUE(app.ClickIn(open, IDOK));
    for (int i = 0; i < 100 && !app.IsEnabled(IDC_APPLY); ++i) ::Sleep(50);
    ASSERT_EQ(app.SelectedEntry(IDC_FACE_SERIF), face);

    for (int button : {IDC_APPLY, IDOK}) {
        ASSERT_TRUE(app.Click(button));
        HWND box = app.WaitForMessageBox();
        ASSERT_TRUE(box) << button;
        const std::wstring text = VelltuneApp::MessageText(box);
        EXPECT_NE(text.find(L"\"" + face + L"\""), std::wstring::npos) << Utf8(text);
        EXPECT_NE(text.find(EngineFile()), std::wstring::npos) << Utf8(text);
        ASSERT_TRUE(app.Answer(box));
        EXPECT_TRUE(app.IsEnabled(IDC_APPLY)) << button;
    }
    EXPECT_FALSE(app.WaitForExit(milliseconds(300))) << "OK closed although nothing was saved";
    CloseAndExpectExit();
    for (const std::string& change : TreeChanges(before, SnapshotTree(DataFolder()), {})) ADD_FAILURE() << change;
    EXPECT_FALSE(FileExists(WorkingFolder() + L"Backup"));
}

// Settings.ini names the data folder without its final backslash: the window
// opens on it, as /export does, and the next write of Settings.ini (here the
// language a first start remembers) stores it with the backslash.
TEST_F(E2E, StoredDataFolderWithoutItsBackslashIsTakenByTheWindowAndExport)
{
    MakeFixture(kEngine, kAliceConfig);
    const std::wstring stored = DataFolder().substr(0, DataFolder().size() - 1);
    WriteFileBytes(SettingsFile(), "[General]\r\nDataFolder=" + Utf8(stored) + "\r\n");
    // With a language file to choose from, a first start remembers its language.
    ::CreateDirectoryW((WorkingFolder() + L"Language").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileW((BuildFolder() + L"Language\\German.ini").c_str(),
                            (WorkingFolder() + L"Language\\German.ini").c_str(), FALSE));

    const CommandLineRun run = RunVelltune(WorkingFolder(), L"/export \"" + (dir / L"office.ini") + L"\"");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_TRUE(FileExists(dir / L"office.ini"));

    ASSERT_TRUE(StartAndWaitForMainWindow());
    EXPECT_EQ(app.Text(IDC_EDIT_STEP), L"140");
    CloseAndExpectExit();
    EXPECT_EQ(ReadFileBytes(SettingsFile()),
              "[General]\r\nDataFolder=" + Utf8(DataFolder()) + "\r\nLanguageFile=English.ini\r\n");
}

}  // namespace
