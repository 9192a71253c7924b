// Velltune among other writers of one data folder: imports, exports and a
// window's Apply at the same time, a save that finds the folder's lock taken,
// working copies of live and dead saves, and a window that follows what other
// programs write while it is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "AppDriver.h"
#include "CommandLineRun.h"
#include "ProcessSupport.h"
#include "SampleFiles.h"
#include "TestSupport.h"
#include "app/FolderLock.h"
#include "app/SaveTransaction.h"
#include "browser/SmoothScrollSettings.h"
#include "resource.h"

using namespace velltune::test;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The sample engine file grown to about 25 KB by sections the browser keeps,
// in the form the profile service writes.
std::string LargeEngineFile()
{
    std::string file = kSampleEngineFile;
    for (int s = 0; s < 60; ++s) {
        const std::string n = std::to_string(s);
        file += "; Settings of engine part " + n + ".\r\n[Part" + n + "]\r\n";
        for (int k = 0; k < 10; ++k)
            file += "Value" + std::to_string(k) + "=" + std::to_string(s * 1000 + k) + ",/cache/part" + n + "\r\n";
    }
    return file;
}

const char kProfileA[] = "[Velltune]\r\nProfileVersion=1\r\n[ScrollPage]\r\nWheelAccel=8\r\n[Font]\r\nDefaultFontSize=20\r\n";
const char kProfileB[] =
    "[Velltune]\r\nProfileVersion=1\r\n[ScrollPage]\r\nWheelStep=200\r\n[Font]\r\nSerifFontFamily=DejaVu Sans\r\n";

std::string WithA(const std::string& engine)
{
    return Replace(Replace(engine, "WheelAccel=4", "WheelAccel=8"), "DefaultFontSize=16", "DefaultFontSize=20");
}
std::string WithB(const std::string& engine)
{
    return Replace(Replace(engine, "WheelStep=140", "WheelStep=200"), "SerifFontFamily=DejaVu Serif",
                   "SerifFontFamily=DejaVu Sans");
}
// The window's change in the rounds that have one: a key neither profile holds.
std::string WithWindow(const std::string& engine)
{
    return Replace(engine, "WheelEndDumping=50", "WheelEndDumping=60");
}

class SeveralWriters : public ::testing::Test {
protected:
    std::wstring Work() const { return dir / L"work\\"; }
    std::wstring Data() const { return dir / L"data\\"; }
    std::wstring Engine() const { return Data() + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring Config() const { return Data() + L"Users\\alice\\Config\\config.ini"; }

    void MakeFiles(const std::string& engine)
    {
        WriteFileBytes(Engine(), engine);
        WriteFileBytes(Config(), kSampleAccountConfig);
        WriteFileBytes(Work() + L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(Data()) + "\r\n");
        WriteFileBytes(dir / L"a.ini", kProfileA);
        WriteFileBytes(dir / L"b.ini", kProfileB);
    }
    CommandLineRun Import(const wchar_t* profile, const std::wstring& dataFolder = {}) const
    {
        const std::wstring folder = dataFolder.empty() ? L"" : L" /datafolder \"" + dataFolder + L"\"";
        return RunVelltune(Work(), L"/import \"" + (dir / profile) + L"\"" + folder);
    }
    // The data folder under another name: the drive letter Y: that the test
    // prefix links to drive C:, as subst or a mapped drive gives one; other
    // case, no final backslash.
    std::wstring DataElsewhere() const
    {
        std::wstring other = L"Y" + Data().substr(1, Data().size() - 2);
        for (wchar_t& c : other) c = static_cast<wchar_t>(::towupper(c));
        return other;
    }
    bool StartWithAlice(VelltuneApp& app) const
    {
        return app.Start(Work()) && app.WaitForMainWindow() && app.Pick(IDC_ACCOUNT_LIST, L"alice");
    }
    static void ExpectNoFaults(const std::vector<Fault>& faults, const std::string& who)
    {
        for (const Fault& fault : faults) ADD_FAILURE() << who << " raised " << FaultName(fault.code);
    }

    TempDir dir;
};

// A second window of this process to switch to, as a user goes to another program.
class OtherWindow {
public:
    OtherWindow()
    {
        window_ = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                    nullptr, nullptr, nullptr);
    }
    ~OtherWindow() { ::DestroyWindow(window_); }
    // From the other window to this one and back, as a user who leaves a
    // program for a while; true when each took the foreground.
    bool VisitFrom(HWND back) const
    {
        return Foreground(back) && Foreground(window_) && Foreground(back);
    }

private:
    static bool Foreground(HWND window)
    {
        ::SetForegroundWindow(window);
        for (int i = 0; i < 100 && ::GetForegroundWindow() != window; ++i) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            ::Sleep(20);
        }
        return ::GetForegroundWindow() == window;
    }
    HWND window_ = nullptr;
};

TEST_F(SeveralWriters, ImportsExportsAndApplyTogetherLoseNothing)
{
    const std::string before = LargeEngineFile();
    // Each profile's keys are in the file already and disjoint from the
    // other's, so the imports give the same bytes in either order.
    constexpr int kRounds = 120, kWindowEvery = 8;
    int whole = 0, damaged = 0, wronglyReported = 0, copiesLeft = 0, failedRuns = 0, windowRounds = 0;
    std::ostringstream odd;
    unsigned seed = 12345;
    const auto nextDelay = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<DWORD>((seed >> 16) % 250);
    };
    ASSERT_EQ(Data().substr(0, 2), L"C:");
    for (int round = 0; round < kRounds; ++round) {
        MakeFiles(before);
        const bool withWindow = round % kWindowEvery == kWindowEvery - 1;
        std::unique_ptr<VelltuneApp> app;
        if (withWindow) {
            ++windowRounds;
            app = std::make_unique<VelltuneApp>();
            ASSERT_TRUE(app->Start(Work()) && app->WaitForMainWindow()) << round;
            ASSERT_TRUE(app->SetText(IDC_EDIT_END, L"60")) << round;
        }
        CommandLineRun a, b, exported;
        const DWORD delays[3] = {nextDelay(), nextDelay(), nextDelay()};
        std::thread runA([&] { ::Sleep(delays[0]); a = Import(L"a.ini"); });
        // B names the folder through another drive letter.
        std::thread runB([&] { ::Sleep(delays[1]); b = Import(L"b.ini", DataElsewhere()); });
        std::thread runExport([&] {
            ::Sleep(delays[2]);
            exported = RunVelltune(Work(), L"/export \"" + (dir / L"out.ini") + L"\"");
        });
        bool applied = false;
        if (app) {
            ::Sleep(nextDelay());
            // A save that waits for the lock answers sent messages meanwhile,
            // so the click's return says nothing: its end is Apply disabled,
            // or a message box if it failed.
            ASSERT_TRUE(app->ClickNoWait(IDC_APPLY)) << round;
            for (int i = 0; i < 300 && app->IsEnabled(IDC_APPLY) && !app->WaitForMessageBox(milliseconds(0)); ++i)
                ::Sleep(50);
            applied = !app->IsEnabled(IDC_APPLY);
        }
        runA.join();
        runB.join();
        runExport.join();
        if (app) {
            ExpectNoFaults(app->Faults(), "the window");
            app->Kill();
        }
        for (const CommandLineRun* run : {&a, &b, &exported}) {
            ExpectNoFaults(run->faults, "a command");
            if (!run->ended || run->exitCode != 0) ++failedRuns, odd << "\n  round " << round << ": a command ended " << run->exitCode;
        }

        std::string expected = before;
        if (a.exitCode == 0) expected = WithA(expected);
        if (b.exitCode == 0) expected = WithB(expected);
        if (applied) expected = WithWindow(expected);
        const std::string now = ReadFileBytes(Engine());
        int known = -1;
        for (int set = 0; set < 8; ++set) {
            std::string state = before;
            if (set & 1) state = WithA(state);
            if (set & 2) state = WithB(state);
            if (set & 4) state = WithWindow(state);
            if (now == state) known = set;
        }
        if (now == expected)
            ++whole;
        else if (known >= 0)
            ++wronglyReported, odd << "\n  round " << round << ": the file holds" << (known & 1 ? " A" : "")
                                   << (known & 2 ? " B" : "") << (known & 4 ? " the window's change" : "")
                                   << ", reported: A " << a.exitCode << ", B " << b.exitCode << ", Apply "
                                   << (applied ? "done" : "not done");
        else
            ++damaged, odd << "\n  round " << round << ": " << now.size() << " bytes of no known state";
        if (WorkingCopyLeft(Engine()) || WorkingCopyLeft(Config())) ++copiesLeft, odd << "\n  round " << round << ": copy left";
    }

    std::ostringstream report;
    report << "Several writers: " << kRounds
           << " rounds of two /import (naming the folder by two drive letters) and an /export started together within 250 ms"
           << " on one " << before.size() << "-byte WKSetting.ini, " << windowRounds << " of them with a window's Apply\n"
           << "  whole " << whole << ", damaged " << damaged << ", reported wrongly " << wronglyReported
           << ", working copies left " << copiesLeft << ", commands that did not end with 0: " << failedRuns << odd.str()
           << "\n";
    std::cout << report.str();
    std::ofstream(Utf8(ThisExeFolder() + L"several-writers.txt")) << report.str();
    EXPECT_EQ(whole, kRounds);
    EXPECT_EQ(copiesLeft, 0);
    EXPECT_EQ(failedRuns, 0);
}

TEST_F(SeveralWriters, ALiveSavesCopyIsItsOwnADeadOnesIsRemoved)
{
    MakeFiles(kSampleEngineFile);
    // Left by a process that died in the middle of a save, with the lock file it took.
    const std::wstring deadCopy = Engine() + L".4242-1.velltune-tmp";
    WriteFileBytes(deadCopy, "[Half");
    WriteFileBytes(Data() + L"Velltune.lock", "");
    {
        VelltuneApp app;
        ASSERT_TRUE(StartWithAlice(app));
        EXPECT_FALSE(FileExists(deadCopy)) << "a start reads the file and removes what a dead save left";
        app.Kill();
    }

    safesave::SaveTransaction save(Data());
    const std::wstring copy = save.Prepare(Engine());
    ASSERT_FALSE(copy.empty());
    browser::SmoothScrollSettings scroll;
    scroll.values[1] = 70;
    ASSERT_TRUE(scroll.Save(copy));
    const std::string written = ReadFileBytes(copy);

    // Another process starts, reads the files and saves while this save is live.
    VelltuneApp app;
    ASSERT_TRUE(StartWithAlice(app));
    CommandLineRun imported;
    std::thread import([&] { imported = Import(L"b.ini"); });
    ::Sleep(1500);
    EXPECT_EQ(ReadFileBytes(copy), written) << "the live copy is neither removed nor written into";
    EXPECT_EQ(ReadFileBytes(Engine()), kSampleEngineFile) << "the import waits for the live save";
    ASSERT_TRUE(save.Commit());
    import.join();
    app.Kill();
    EXPECT_EQ(imported.exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(Engine()), WithB(Replace(kSampleEngineFile, "WheelEndDumping=50", "WheelEndDumping=70")));
}

TEST_F(SeveralWriters, ASaveGivesUpPastTheLimitTouchingNothingAndSaysWhoHoldsTheFolder)
{
    MakeFiles(kSampleEngineFile);
    // What the window and the command line say of this process, which holds
    // the folder under another name.
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1], user[256];
    DWORD computerSize = MAX_COMPUTERNAME_LENGTH + 1, userSize = 256;
    ASSERT_TRUE(::GetComputerNameW(computer, &computerSize) && ::GetUserNameW(user, &userSize));
    const std::string busy = "Another save into this data folder was still under way after 10 seconds: " + Utf8(user) +
                             " on the computer " + Utf8(computer) + " has been saving since ";
    const std::string nothing = ". Nothing was saved; please try again later.";

    // Held past the limit, the import fails with its own code. (A save that
    // the lock holds up for a while, then saves, is shown by the live-copy test.)
    CommandLineRun imported;
    {
        safesave::FolderLock lock;
        ASSERT_EQ(lock.Acquire(DataElsewhere(), 0), safesave::LockResult::Held);
        std::thread import([&] { imported = Import(L"a.ini"); });
        ::Sleep(safesave::kLockWaitMs + 3000);
        lock.Release();
        import.join();
    }
    EXPECT_EQ(imported.exitCode, 7u);
    EXPECT_EQ(imported.error.rfind(busy, 0), 0u) << imported.error;
    EXPECT_NE(imported.error.find(nothing), std::string::npos) << imported.error;
    EXPECT_EQ(ReadFileBytes(Engine()), kSampleEngineFile);
    EXPECT_FALSE(WorkingCopyLeft(Engine()));

    // The window's Apply past the limit: the same words, still modified, the
    // window painting and answering meanwhile; the folder is free again
    // while the message is open.
    VelltuneApp app;
    ASSERT_TRUE(StartWithAlice(app));
    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
    auto lock = std::make_unique<safesave::FolderLock>();
    ASSERT_EQ(lock->Acquire(DataElsewhere(), 0), safesave::LockResult::Held);
    ASSERT_TRUE(app.ClickNoWait(IDC_APPLY));
    ::Sleep(2000);
    EXPECT_TRUE(app.Responsive(app.MainWindow(), std::chrono::milliseconds(2000))) << "the window answers while it waits";
    HWND box = app.WaitForMessageBox(std::chrono::milliseconds(safesave::kLockWaitMs + 5000));
    ASSERT_NE(box, nullptr);
    const std::string message = Utf8(VelltuneApp::MessageText(box));
    EXPECT_EQ(message.rfind(busy, 0), 0u) << message;
    EXPECT_NE(message.find(nothing), std::string::npos) << message;
    lock.reset();
    safesave::FolderLock other;
    EXPECT_EQ(other.Acquire(Data(), 0), safesave::LockResult::Held) << "the message holds nothing";
    other.Release();
    ASSERT_TRUE(app.Answer(box));
    EXPECT_TRUE(app.IsEnabled(IDC_APPLY));
    EXPECT_EQ(ReadFileBytes(Engine()), kSampleEngineFile);
    EXPECT_FALSE(WorkingCopyLeft(Engine()));
    ExpectNoFaults(app.Faults(), "the window");
}

// The backups below the working folder.
int BackupCount(const std::wstring& work)
{
    int count = 0;
    WIN32_FIND_DATAW entry{};
    HANDLE search = ::FindFirstFileW((work + L"Backup\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.cFileName[0] != L'.';
    while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return count;
}

TEST_F(SeveralWriters, AFailedSaveHoldsNothingWhileItSaysSoAndKeepsNoBackup)
{
    struct Case {
        const char* name;
        bool engineHeld;  // else config.ini is read-only
    } cases[] = {{"the engine file cannot be replaced", true}, {"config.ini is read-only", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeFiles(kSampleEngineFile);
        VelltuneApp app;
        ASSERT_TRUE(StartWithAlice(app));
        ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
        ASSERT_TRUE(app.Click(IDC_CHECK_ADDRESSBAR));
        const int backups = BackupCount(Work());
        std::unique_ptr<FileLock> held;
        if (c.engineHeld)
            held = std::make_unique<FileLock>(Engine(), true);
        else
            ASSERT_TRUE(::SetFileAttributesW(Config().c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(app.ClickNoWait(IDC_APPLY));
        HWND box = app.WaitForMessageBox(std::chrono::milliseconds(15000));
        ASSERT_NE(box, nullptr);
        held.reset();
        ::SetFileAttributesW(Config().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(BackupCount(Work()), backups) << "a save that put no file in place keeps no backup";
        // Held by the open message, the folder would keep the import waiting
        // until it gave up with 7.
        EXPECT_EQ(Import(L"a.ini").exitCode, 0u) << "the message holds nothing";
        ASSERT_TRUE(app.Answer(box));
        EXPECT_EQ(BackupCount(Work()), backups + 1) << "the import's";
        ExpectNoFaults(app.Faults(), "the window");
        app.Kill();
    }
}

// Another program writes into the files while the window is open.
void WriteKeys(const std::wstring& file, const std::map<std::wstring, std::pair<std::wstring, std::wstring>>& keys)
{
    for (const auto& [key, sectionAndValue] : keys)
        ::WritePrivateProfileStringW(sectionAndValue.first.c_str(), key.c_str(), sectionAndValue.second.c_str(), file.c_str());
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush this process's cache
}

TEST_F(SeveralWriters, TheWindowKeepsWhatOthersWroteAndFollowsTheFiles)
{
    MakeFiles(kSampleEngineFile);
    VelltuneApp app;
    ASSERT_TRUE(StartWithAlice(app));
    OtherWindow other;

    // Apply: settings changed only elsewhere keep the other program's value,
    // WheelStep changed on both sides gets the user's.
    WriteKeys(Engine(), {{L"WheelAccel", {L"ScrollPage", L"8"}},
                         {L"WheelStep", {L"ScrollPage", L"150"}},
                         {L"DefaultFontSize", {L"Font", L"20"}},
                         {L"SerifFontFamily", {L"Font", L"DejaVu Sans"}}});
    WriteKeys(Config(), {{L"SearchBarInput", {L"CreateNewTab", L"0"}}});
    ASSERT_TRUE(app.SetText(IDC_EDIT_STEP, L"200"));
    ASSERT_TRUE(app.Click(IDC_CHECK_ADDRESSBAR));
    ASSERT_TRUE(app.Click(IDC_APPLY));
    EXPECT_FALSE(app.IsEnabled(IDC_APPLY));
    const std::string engineSaved =
        Replace(Replace(WithA(kSampleEngineFile), "WheelStep=140", "WheelStep=200"), "SerifFontFamily=DejaVu Serif",
                "SerifFontFamily=DejaVu Sans");
    EXPECT_EQ(ReadFileBytes(Engine()), engineSaved);
    EXPECT_EQ(ReadFileBytes(Config()),
              Replace(Replace(kSampleAccountConfig, "AddressBarInput=0", "AddressBarInput=1"), "SearchBarInput=1",
                      "SearchBarInput=0"));
    const auto expectShown = [&app](const std::map<int, std::wstring>& texts, const char* when) {
        for (const auto& [id, text] : texts) EXPECT_EQ(Utf8(app.Text(id)), Utf8(text)) << when << ", control " << id;
    };
    expectShown({{IDC_EDIT_ACCEL, L"8"}, {IDC_EDIT_STEP, L"200"}, {IDC_EDIT_DEFAULTSIZE, L"20"}}, "after Apply");
    EXPECT_EQ(Utf8(app.SelectedEntry(IDC_FACE_SERIF)), "DejaVu Sans");
    EXPECT_EQ(::SendMessageW(::GetDlgItem(app.MainWindow(), IDC_CHECK_SEARCHBAR), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // Coming back to the window: untouched settings show the files' values,
    // the one the user changed keeps the user's, the modified state stays.
    struct Step {
        const char* name;
        const wchar_t* userTypes;  // into WheelBeginDumping first; null for nothing
    } steps[] = {{"not modified", nullptr}, {"modified", L"30"}};
    int round = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.userTypes) {
            ASSERT_TRUE(app.SetText(IDC_EDIT_FOREPART, step.userTypes));
        }
        const std::wstring end = round ? L"80" : L"70", minimum = round ? L"4" : L"3", begin = round ? L"45" : L"40";
        WriteKeys(Engine(), {{L"WheelEndDumping", {L"ScrollPage", end}},
                             {L"WheelBeginDumping", {L"ScrollPage", begin}},
                             {L"MinimumFontSize", {L"Font", minimum}},
                             {L"FantasyFontFamily", {L"Font", L"DejaVu Serif"}}});
        WriteKeys(Config(), {{L"ClickOnFavorite", {L"CreateNewTab", round ? L"1" : L"0"}}});
        ASSERT_TRUE(other.VisitFrom(app.MainWindow()));
        // The activation reaches the window as a posted message, after any
        // message sent to it now: wait for its first sign.
        for (int i = 0; i < 100 && app.Text(IDC_EDIT_END) != end; ++i) ::Sleep(20);
        ASSERT_TRUE(app.Responsive(app.MainWindow(), std::chrono::milliseconds(5000)));
        expectShown({{IDC_EDIT_END, end}, {IDC_EDIT_MINSIZE, minimum}, {IDC_EDIT_FOREPART, step.userTypes ? step.userTypes : begin}},
                    step.name);
        EXPECT_EQ(Utf8(app.SelectedEntry(IDC_FACE_FANTASY)), "DejaVu Serif");
        EXPECT_EQ(::SendMessageW(::GetDlgItem(app.MainWindow(), IDC_CHECK_FAVORITES), BM_GETCHECK, 0, 0),
                  round ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(app.IsEnabled(IDC_APPLY), step.userTypes != nullptr);
        ++round;
    }
    ExpectNoFaults(app.Faults(), "the window");
}

}  // namespace
