// Saves that land whole or not at all, and Restore from the menu, black-box:
// Velltune.exe killed in the middle of Apply again and again, and driven
// through its Restore dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "AppDriver.h"
#include "ProcessSupport.h"
#include "SampleFiles.h"
#include "TestSupport.h"
#include "resource.h"
#include "win/Handles.h"

using namespace velltune::test;

namespace {

const wchar_t kNV3Running[] =
    L"Settings cannot be saved while Nerovia 3 is running.\n\nPlease exit Nerovia 3 and try again later.";
const wchar_t kRestoreTitle[] = L"Restore Earlier Settings";

// An engine file as the browser keeps it: sixty sections of ten keys, each
// under a comment, with the sections Velltune edits among them; about 26 KB,
// already in the form the profile service writes.
std::string LargeEngineFile()
{
    std::string file = "; Rendering engine settings of Nerovia 3.\r\n";
    for (int s = 0; s < 60; ++s) {
        if (s == 20)
            file += "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelBeginDumping=20\r\nWheelEndDumping=50\r\n"
                    "WheelAccel=4\r\nWheelStep=140\r\nZoomStep=10\r\n";
        if (s == 40)
            file += "[Font]\r\nSerifFontFamily=DejaVu Serif\r\nSansSerifFontFamily=DejaVu Sans\r\n"
                    "StandardFontFamily=DejaVu Serif\r\nFixedFontFamily=DejaVu Sans Mono\r\n"
                    "CursiveFontFamily=DejaVu Sans\r\nFantasyFontFamily=DejaVu Sans\r\nDefaultFontSize=16\r\n"
                    "DefaultFixedFontSize=13\r\nMinimumFontSize=1\r\nMinimumLogicalFontSize=9\r\n";
        const std::string n = std::to_string(s);
        file += "; Settings of engine part " + n + ", kept by the browser between runs.\r\n[Part" + n + "]\r\n";
        for (int k = 0; k < 10; ++k)
            file += "Value" + std::to_string(k) + "=" + std::to_string(s * 1000 + k) + ",/cache/part" + n + "/entry\r\n";
    }
    return file;
}

class SafeSaveE2E : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (!app) return;
        for (const Fault& fault : app->Faults()) ADD_FAILURE() << "Velltune raised " << FaultName(fault.code);
    }

    std::wstring WorkingFolder() const { return dir / L"work\\"; }
    std::wstring DataFolder() const { return dir / L"data\\"; }
    std::wstring EngineFile() const { return DataFolder() + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring ConfigFile() const { return DataFolder() + L"Users\\alice\\Config\\config.ini"; }

    void MakeFixture(const std::string& engine, const std::string& config)
    {
        WriteFileBytes(EngineFile(), engine);
        WriteFileBytes(ConfigFile(), config);
        WriteFileBytes(WorkingFolder() + L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(DataFolder()) + "\r\n");
    }

    // A fresh run of the program with account alice chosen.
    bool StartWithAlice()
    {
        if (app) app->Kill();
        app = std::make_unique<VelltuneApp>();
        return app->Start(WorkingFolder()) && app->WaitForMainWindow() && app->Pick(IDC_ACCOUNT_LIST, L"alice");
    }

    bool AnyCopyLeft() const
    {
        return WorkingCopyLeft(EngineFile()) || WorkingCopyLeft(ConfigFile());
    }

    HWND OpenRestore() const
    {
        app->MenuCommand(ID_MENU_RESTORE);
        return app->WaitForDialog(kRestoreTitle, IDC_RESTORE_LIST);
    }

    TempDir dir;
    std::unique_ptr<VelltuneApp> app;  // after dir: the program ends before its folder goes
};

// The edits of the killed save. Apply writes 18 keys whatever changed: the
// smooth-scroll switch and numbers and the ten font keys into WKSetting.ini,
// the three switches into config.ini.
bool EditBothFiles(const VelltuneApp& app, const wchar_t* step = L"200")
{
    return app.SetText(IDC_EDIT_STEP, step) && app.SetText(IDC_EDIT_DEFAULTSIZE, L"18") &&
           app.Click(IDC_CHECK_ADDRESSBAR);
}

// A file's bytes once nothing of the killed program holds it: its handles may
// outlive it by a moment, and a file that cannot yet be opened is not a
// damaged one. A missing file reads as "<missing>"; waits counts the retries.
std::string ReadAfterKill(const std::wstring& path, int& waits)
{
    for (int attempt = 0; attempt < 40; ++attempt) {
        {
            win::KernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file) return ReadFileBytes(path);
            if (::GetLastError() == ERROR_FILE_NOT_FOUND) return "<missing>";
        }
        ++waits;
        ::Sleep(25);
    }
    return "<unreadable>";
}

// The i-th point of an even spread over [0, 1): each first n points cover it
// about as evenly as n points can (base-2 van der Corput sequence).
double SpreadPoint(int i)
{
    double point = 0, weight = 0.5;
    for (int n = i + 1; n; n >>= 1, weight /= 2)
        if (n & 1) point += weight;
    return point;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

TEST_F(SafeSaveE2E, KilledAtAnyInstantOfApplyEveryFileIsBeforeOrAfter)
{
    const std::string engineBefore = LargeEngineFile();
    const std::string configBefore = std::string(kSampleAccountConfig) + "[History]\r\nDays=20\r\n";
    MakeFixture(engineBefore, configBefore);

    // The backups are full during the kills; a save then also deletes the oldest.
    ASSERT_TRUE(StartWithAlice());
    ASSERT_TRUE(EditBothFiles(*app));
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(app->SetText(IDC_EDIT_STEP, i % 2 ? L"210" : L"220"));
        ASSERT_TRUE(app->Click(IDC_APPLY));
        ASSERT_FALSE(app->IsEnabled(IDC_APPLY));
    }
    // One whole save from a fresh start, as each killed one is, gives the
    // after state and how long a save takes.
    WriteFileBytes(EngineFile(), engineBefore);
    WriteFileBytes(ConfigFile(), configBefore);
    ASSERT_TRUE(StartWithAlice());
    ASSERT_TRUE(EditBothFiles(*app));
    const LARGE_INTEGER clicked = Now();
    ASSERT_TRUE(app->ClickNoWait(IDC_APPLY));
    while (app->IsEnabled(IDC_APPLY)) ::Sleep(0);
    const double saveTime = Seconds(clicked, Now());
    const std::string engineAfter = ReadFileBytes(EngineFile());
    const std::string configAfter = ReadFileBytes(ConfigFile());
    ASSERT_NE(engineAfter, engineBefore);
    ASSERT_NE(configAfter, configBefore);

    // The kills spread evenly over the save and past it. How long a save
    // takes varies with the machine's load, so the span follows what the
    // kills find: widened while late kills still find the save unfinished,
    // narrowed while early ones find it done.
    constexpr int kKills = 200;
    double span = saveTime * 1.5;
    struct Count {
        int before = 0, after = 0, other = 0;
    } engine, config;
    int staleCopiesAtStart = 0, copiesLeftByKill = 0, waits = 0, restarts = 0;
    std::ostringstream odd;
    for (int i = 0; i < kKills; ++i) {
        WriteFileBytes(EngineFile(), engineBefore);
        WriteFileBytes(ConfigFile(), configBefore);
        // Two hundred starts under Wine on a loaded machine: a start whose
        // window does not come up in time is tried once more and counted,
        // the files as they were for it.
        bool started = StartWithAlice();
        if (!started) {
            ++restarts;
            odd << "\n  start " << i << " tried again";
            WriteFileBytes(EngineFile(), engineBefore);
            WriteFileBytes(ConfigFile(), configBefore);
            started = StartWithAlice();
        }
        ASSERT_TRUE(started) << i;
        // Reading the files removed what the last kill left.
        if (AnyCopyLeft()) ++staleCopiesAtStart;
        ASSERT_TRUE(EditBothFiles(*app)) << i;
        const double delay = span * SpreadPoint(i);
        const LARGE_INTEGER start = Now();
        ASSERT_TRUE(app->ClickNoWait(IDC_APPLY));
        // Asleep rather than spinning: the program needs the processor meanwhile.
        if (delay > 0.002) ::Sleep(static_cast<DWORD>(delay * 1000) - 1);
        while (Seconds(start, Now()) < delay) ::Sleep(0);
        ASSERT_TRUE(app->Kill()) << i;
        if (AnyCopyLeft()) ++copiesLeftByKill;

        const auto judge = [&](const std::string& bytes, const std::string& before, const std::string& after, Count& c) {
            if (bytes == before)
                ++c.before;
            else if (bytes == after)
                ++c.after;
            else
                ++c.other, odd << "\n  kill " << i << " at " << static_cast<int>(delay * 1000) << " ms left "
                                << (bytes.starts_with("<") ? bytes : std::to_string(bytes.size()) + " other bytes");
        };
        const std::string engineNow = ReadAfterKill(EngineFile(), waits);
        judge(engineNow, engineBefore, engineAfter, engine);
        judge(ReadAfterKill(ConfigFile(), waits), configBefore, configAfter, config);
        const bool saved = engineNow == engineAfter;
        if (!saved && delay > 0.8 * span)
            span *= 1.2;
        else if (saved && delay < 0.5 * span)
            span *= 0.85;
    }

    // The next start and save leave no working copy.
    ASSERT_TRUE(StartWithAlice());
    EXPECT_FALSE(AnyCopyLeft());
    ASSERT_TRUE(EditBothFiles(*app));
    ASSERT_TRUE(app->Click(IDC_APPLY));
    EXPECT_FALSE(app->IsEnabled(IDC_APPLY));
    EXPECT_FALSE(AnyCopyLeft());
    EXPECT_EQ(ReadFileBytes(EngineFile()), engineAfter);

    std::ostringstream report;
    report << "Killed saves: " << kKills << " kills spread over 0-" << static_cast<int>(span * 1000)
           << " ms after the click (one Apply of 18 keys into a " << engineBefore.size() << "-byte WKSetting.ini and a config.ini)\n"
           << "  WKSetting.ini: before " << engine.before << ", after " << engine.after << ", other " << engine.other
           << "\n  config.ini:    before " << config.before << ", after " << config.after << ", other " << config.other
           << "\n  working copies left by a kill: " << copiesLeftByKill << ", left after the next start: "
           << staleCopiesAtStart << "\n  reads retried while the killed program's handles were still open: " << waits
           << "\n  starts tried a second time: " << restarts
           << odd.str() << "\n";
    std::cout << report.str();
    std::ofstream(Utf8(ThisExeFolder() + L"killed-saves.txt")) << report.str();

    EXPECT_EQ(engine.other, 0);
    EXPECT_EQ(config.other, 0);
    EXPECT_EQ(staleCopiesAtStart, 0);
    // A slow start now and then is the machine; many are the program.
    EXPECT_LE(restarts, 5);
    // The kills really fell across the save, not all before or after it.
    EXPECT_GT(engine.before, 0);
    EXPECT_GT(engine.after, 0);
}

TEST_F(SafeSaveE2E, RestoreFromTheMenuPutsBackAnEarlierSaveAndCanBeUndone)
{
    MakeFixture(kSampleEngineFile, kSampleAccountConfig);
    ASSERT_TRUE(StartWithAlice());

    // No backup yet: an empty list and no OK.
    HWND dialog = OpenRestore();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(app->ClickIn(dialog, IDCANCEL));

    std::map<std::wstring, std::string> engineAt;
    for (const wchar_t* step : {L"150", L"160", L"170"}) {
        ASSERT_TRUE(app->SetText(IDC_EDIT_STEP, step));
        ASSERT_TRUE(app->Click(IDC_APPLY));
        ASSERT_FALSE(app->IsEnabled(IDC_APPLY));
        engineAt[step] = ReadFileBytes(EngineFile());
    }
    const std::string config = ReadFileBytes(ConfigFile());

    // Refused while the browser runs, with Apply's message; nothing changes.
    {
        FakeBrowser browser(L"fake_nerovia.exe", L"Nerovia.exe");
        ASSERT_TRUE(browser.Started());
        dialog = OpenRestore();
        ASSERT_TRUE(dialog);
        ::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_SETCURSEL, 1, 0);
        ASSERT_TRUE(app->ClickIn(dialog, IDOK));
        HWND box = app->WaitForMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(VelltuneApp::MessageText(box), kNV3Running);
        ASSERT_TRUE(app->Answer(box));
        EXPECT_EQ(ReadFileBytes(EngineFile()), engineAt[L"170"]);
    }

    // The second-newest backup holds what the save of 160 replaced.
    dialog = OpenRestore();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_GETCOUNT, 0, 0), 3);
    ::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(app->ClickIn(dialog, IDOK));
    EXPECT_FALSE(app->WaitForMessageBox(milliseconds(300)));
    // Read first: the answer comes once the program has handled the click.
    EXPECT_EQ(app->Text(IDC_EDIT_STEP), L"150");
    EXPECT_EQ(ReadFileBytes(EngineFile()), engineAt[L"150"]);
    EXPECT_EQ(ReadFileBytes(ConfigFile()), config);
    EXPECT_FALSE(app->IsEnabled(IDC_APPLY)) << "the reloaded dialog counts as modified";
    EXPECT_EQ(app->Text(IDCANCEL), L"Close");

    // The restore was itself backed up: the newest backup brings back 170.
    dialog = OpenRestore();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_GETCOUNT, 0, 0), 4);
    ::SendDlgItemMessageW(dialog, IDC_RESTORE_LIST, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(app->ClickIn(dialog, IDOK));
    EXPECT_EQ(app->Text(IDC_EDIT_STEP), L"170");
    EXPECT_EQ(ReadFileBytes(EngineFile()), engineAt[L"170"]);
    EXPECT_FALSE(AnyCopyLeft());
}

}  // namespace
