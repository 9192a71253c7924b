// The real program run from a script: each exit code with the files checked
// after it, a profile carried from one data folder to another, an import
// into every account, a check that writes nothing, backups put back, and the
// console program Velltune.com.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

#include "app/Backups.h"
#include "CommandLineRun.h"
#include "FileTree.h"
#include "ProcessSupport.h"
#include "SampleFiles.h"
#include "TestSupport.h"

using namespace velltune::test;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

// A working folder whose Settings.ini names a data folder with the sample
// engine file, account alice with a config.ini and bob without.
struct Machine {
    TempDir dir;
    std::wstring Work() const { return dir / L"work\\"; }
    std::wstring Data() const { return dir / L"data\\"; }
    std::wstring Engine() const { return Data() + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring Config(const std::wstring& account) const { return Data() + L"Users\\" + account + L"\\Config\\config.ini"; }
    std::wstring Profile() const { return dir / L"office.ini"; }

    Machine()
    {
        WriteFileBytes(Engine(), kSampleEngineFile);
        WriteFileBytes(Config(L"alice"), kSampleAccountConfig);
        ::CreateDirectoryW((Data() + L"Users\\bob").c_str(), nullptr);
        WriteFileBytes(Work() + L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(Data()) + "\r\n");
    }
    CommandLineRun Run(const std::wstring& arguments, const std::wstring& program = L"Velltune.exe") const
    {
        return RunVelltune(Work(), arguments, std::chrono::milliseconds(120'000), program);
    }
};

const char kProfile[] =
    "[Velltune]\r\nProfileVersion=1\r\n[ScrollPage]\r\nWheelStep=200\r\n[Font]\r\nDefaultFontSize=20\r\n"
    "[CreateNewTab]\r\nAddressBarInput=1\r\n";
const std::string kEngineAfter = Replace(Replace(kSampleEngineFile, "WheelStep=140", "WheelStep=200"),
                                         "DefaultFontSize=16", "DefaultFontSize=20");
const std::string kConfigAfter = Replace(kSampleAccountConfig, "AddressBarInput=0", "AddressBarInput=1");

void ExpectClean(const CommandLineRun& run, const std::string& name)
{
    EXPECT_TRUE(run.ended) << name;
    for (const Fault& fault : run.faults) ADD_FAILURE() << name << " raised " << FaultName(fault.code);
}

struct ExitCase {
    const char* name;
    std::function<void(Machine&)> prepare;
    std::function<std::wstring(const Machine&)> arguments;
    DWORD code;
    const char* says;  // in the output for 0, in the error output otherwise
};

TEST(CommandLine, EachExitCodeAndNothingWrittenUnlessDone)
{
    using M = Machine;
    const auto import = [](const M& m) { return L"/import \"" + m.Profile() + L"\" /account alice"; };
    const ExitCase cases[] = {
        {"usage", [](M&) {}, [](const M&) { return L"/?"; }, 0, "/import FILE [/account NAME | /allaccounts]"},
        {"no job", [](M&) {}, [](const M&) { return L"/account alice"; }, 1, "Wrong arguments"},
        {"unknown option", [](M&) {}, [](const M& m) { return L"/import \"" + m.Profile() + L"\" /quiet"; }, 1, "/quiet"},
        {"missing profile", [](M& m) { ::DeleteFileW(m.Profile().c_str()); }, import, 2, "Cannot read the profile"},
        {"invalid profile", [](M& m) { WriteFileBytes(m.Profile(), "[ScrollPage]\r\nWheelStep=200\r\nWheelAccel=451\r\n"); },
         import, 2, "[ScrollPage] WheelAccel=451"},
        {"no Settings.ini", [](M& m) { ::DeleteFileW((m.Work() + L"Settings.ini").c_str()); }, import, 3,
         "No valid Nerovia 3 data folder"},
        {"data folder not valid",
         [](M& m) { ::CreateDirectoryW((m.dir / L"empty").c_str(), nullptr); },
         [](const M& m) { return L"/import \"" + m.Profile() + L"\" -DataFolder \"" + m.dir / L"empty" + L"\""; }, 3,
         "No valid Nerovia 3 data folder"},
        {"browser running", [](M&) {}, import, 4, "Nerovia 3 is running"},
        {"engine file locked", [](M&) {}, import, 5, "WKSetting.ini"},
        {"face the ANSI engine file cannot hold",
         [](M& m) { WriteFileBytes(m.Profile(), Utf16LeFileBytes(L"[Font]\r\nSerifFontFamily=\u0412\u0442 \u041f\u0440\u043e\u0431\u0430\r\n")); },
         import, 5, "\"\xD0\x92\xD1\x82 \xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB0\" cannot be written into"},
        {"export into no folder", [](M&) {},
         [](const M& m) { return L"/export \"" + m.dir / L"none\\office.ini" + L"\""; }, 5, "Cannot write"},
        {"account without config.ini", [](M&) {},
         [](const M& m) { return L"/import \"" + m.Profile() + L"\" /account bob"; }, 6, "bob"},
        {"account unknown", [](M&) {},
         [](const M& m) { return L"--IMPORT \"" + m.Profile() + L"\" --account ..\\alice"; }, 6, "..\\alice"},
    };
    for (const ExitCase& c : cases) {
        Machine m;
        WriteFileBytes(m.Profile(), Utf16LeFileBytes(Utf16(kProfile)));
        c.prepare(m);
        const FileTree before = SnapshotTree(m.dir.Path());
        std::unique_ptr<FakeBrowser> browser;
        std::unique_ptr<FileLock> lock;
        if (c.code == 4) browser = std::make_unique<FakeBrowser>(L"fake_nerovia.exe", L"Nerovia.exe");
        if (c.code == 5 && std::string(c.name) == "engine file locked") lock = std::make_unique<FileLock>(m.Engine());

        const CommandLineRun run = m.Run(c.arguments(m));
        lock.reset();
        ExpectClean(run, c.name);
        EXPECT_EQ(run.exitCode, c.code) << c.name << "\n" << run.output << run.error;
        const std::string& said = c.code == 0 ? run.output : run.error;
        EXPECT_NE(said.find(c.says), std::string::npos) << c.name << " said: " << said;
        if (c.code != 0) {
            EXPECT_EQ(run.output, "") << c.name;
        }
        // Nothing written, and no temporary file left anywhere.
        for (const std::string& change : TreeChanges(before, SnapshotTree(m.dir.Path()), {}))
            ADD_FAILURE() << c.name << ": " << change;
    }
}

TEST(CommandLine, FailureAfterTheEngineFileIsInPlaceNamesTheFilesSavedAndNot)
{
    Machine m;
    WriteFileBytes(m.Profile(), Utf16LeFileBytes(Utf16(kProfile)));
    CommandLineRun run;
    {
        // Open to others for reading and writing, so that every check before
        // the save passes; but it cannot be replaced while held.
        FileLock lock(m.Config(L"alice"), true, true);
        ASSERT_TRUE(lock.Held());
        run = m.Run(L"/import \"" + m.Profile() + L"\" /account alice");
    }
    ExpectClean(run, "second replacement fails");
    EXPECT_EQ(run.exitCode, 5u);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.error, "Failed to save Nerovia 3 settings!\r\nSaved: " + Utf8(m.Engine()) +
                             "\r\nNot saved: " + Utf8(m.Config(L"alice")) + "\r\n");
    EXPECT_EQ(ReadFileBytes(m.Engine()), kEngineAfter);
    EXPECT_EQ(ReadFileBytes(m.Config(L"alice")), kSampleAccountConfig);
}

TEST(CommandLine, ImportWritesTheProfileKeysAndSaysWhatItDid)
{
    Machine m;
    WriteFileBytes(m.Profile(), Utf16LeFileBytes(Utf16(kProfile)));
    CommandLineRun run = m.Run(L"/import \"" + m.Profile() + L"\" /account ALICE");
    ExpectClean(run, "account");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(m.Engine()), kEngineAfter);
    EXPECT_EQ(ReadFileBytes(m.Config(L"alice")), kConfigAfter);
    EXPECT_EQ(run.output, "Written: " + Utf8(m.Engine()) + "\r\nWritten: " + Utf8(m.Config(L"alice")) + "\r\n");
    // Backed up as a save from the window is: the import can be undone.
    const std::vector<backups::Backup> kept = backups::List(backups::BackupRoot(m.Work()));
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_EQ(kept[0].files.size(), 2u);
    EXPECT_EQ(ReadFileBytes(kept[0].folder + kept[0].files[0].storedName), kSampleEngineFile);

    // Run again, as a logon script does: the files hold the profile already,
    // so nothing is written and no backup kept.
    const FileTree before = SnapshotTree(m.dir.Path());
    run = m.Run(L"/import \"" + m.Profile() + L"\" /account ALICE");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(run.output, "Unchanged, it holds the profile already: " + Utf8(m.Engine()) +
                              "\r\nUnchanged, it holds the profile already: " + Utf8(m.Config(L"alice")) + "\r\n");
    for (const std::string& change : TreeChanges(before, SnapshotTree(m.dir.Path()), {})) ADD_FAILURE() << change;

    // Without an account the switches stay, and the output says so.
    Machine other;
    WriteFileBytes(other.Profile(), kProfile);
    run = other.Run(L"-import \"" + other.Profile() + L"\"");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(other.Engine()), kEngineAfter);
    EXPECT_EQ(ReadFileBytes(other.Config(L"alice")), kSampleAccountConfig);
    EXPECT_NE(run.output.find("new-tab switches were not applied"), std::string::npos) << run.output;
}

TEST(CommandLine, ExportThenImportMakesAnotherDataFolderAlike)
{
    Machine source, target;
    std::string tuned = Replace(kSampleEngineFile, "WheelAccel=4", "WheelAccel=450");
    tuned = Replace(tuned, "FixedFontFamily=DejaVu Sans Mono", "FixedFontFamily=Not On This Machine");
    tuned = Replace(tuned, "MinimumLogicalFontSize=9", "MinimumLogicalFontSize=12");
    WriteFileBytes(source.Engine(), tuned);
    const std::string tunedConfig = Replace(kSampleAccountConfig, "ClickOnFavorite=1", "ClickOnFavorite=0");
    WriteFileBytes(source.Config(L"alice"), tunedConfig);

    CommandLineRun run = source.Run(L"/export \"" + source.Profile() + L"\" /account alice");
    ExpectClean(run, "export");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(source.Profile()).substr(0, 2), "\xFF\xFE");

    run = target.Run(L"/import \"" + source.Profile() + L"\" /account alice");
    ExpectClean(run, "import");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(target.Engine()), tuned);
    EXPECT_EQ(ReadFileBytes(target.Config(L"alice")), tunedConfig);

    // A data folder without the keys exports what the window would show: the defaults.
    Machine bare;
    WriteFileBytes(bare.Engine(), "[General]\r\nCacheModel=1\r\n");
    run = bare.Run(L"/export \"" + bare.Profile() + L"\" /datafolder \"" + bare.Data() + L"\"");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(bare.Profile()),
              Utf16LeFileBytes(L"[Velltune]\r\nProfileVersion=1\r\n[ScrollPage]\r\nScrollPageSmoothly=true\r\n"
                               L"WheelBeginDumping=20\r\nWheelEndDumping=50\r\nWheelAccel=4\r\nWheelStep=140\r\n[Font]\r\n"
                               L"SerifFontFamily=Times New Roman\r\nSansSerifFontFamily=Arial\r\n"
                               L"StandardFontFamily=Times New Roman\r\nFixedFontFamily=Courier\r\n"
                               L"CursiveFontFamily=Comic Sans MS\r\nFantasyFontFamily=Impact\r\nDefaultFontSize=16\r\n"
                               L"DefaultFixedFontSize=13\r\nMinimumFontSize=1\r\nMinimumLogicalFontSize=9\r\n"));
}

TEST(CommandLine, AllAccountsReachesEveryConfigAndListsTheOthers)
{
    Machine m;
    const std::wstring withConfig[] = {Utf16("Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m"), Utf16("\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E")};
    const std::wstring without[] = {Utf16("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2"),
                                    L"bob"};
    for (const std::wstring& name : withConfig) WriteFileBytes(m.Config(name), kSampleAccountConfig);
    ::CreateDirectoryW((m.Data() + L"Users\\" + without[0]).c_str(), nullptr);
    WriteFileBytes(m.Profile(), Utf16LeFileBytes(Utf16(kProfile)));

    const CommandLineRun run = m.Run(L"/IMPORT \"" + m.Profile() + L"\" /AllAccounts");
    ExpectClean(run, "all accounts");
    ASSERT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(m.Engine()), kEngineAfter);
    for (const std::wstring& name : {withConfig[0], withConfig[1], std::wstring(L"alice")}) {
        EXPECT_EQ(ReadFileBytes(m.Config(name)), kConfigAfter) << Utf8(name);
        EXPECT_NE(run.output.find("Written: " + Utf8(m.Config(name)) + "\r\n"), std::string::npos) << run.output;
    }
    for (const std::wstring& name : without) {
        EXPECT_FALSE(FileExists(m.Config(name))) << Utf8(name);
        EXPECT_NE(run.output.find("Skipped, no config.ini: " + Utf8(name) + "\r\n"), std::string::npos) << run.output;
    }
}

// The sample's own face, size and switch: in place on a sample machine.
const char kSampleProfile[] =
    "[Font]\r\nStandardFontFamily=DejaVu Serif\r\nDefaultFontSize=16\r\n[CreateNewTab]\r\nClickOnFavorite=1\r\n";

void MakeDiffer(Machine& m)
{
    WriteFileBytes(m.Engine(), Replace(Replace(kSampleEngineFile, "StandardFontFamily=DejaVu Serif", "StandardFontFamily=Arial"),
                                       "DefaultFontSize=16", "DefaultFontSize=18"));
    WriteFileBytes(m.Config(L"alice"), Replace(kSampleAccountConfig, "ClickOnFavorite=1", "ClickOnFavorite=0"));
}

TEST(CommandLine, CheckListsWhatDiffersAndWritesNothingEvenBesideTheBrowser)
{
    const struct {
        const char* name;
        std::function<void(Machine&)> prepare;
        DWORD code;
        std::function<std::string(const Machine&)> output;
    } cases[] = {
        {"in place", [](Machine&) {}, 0,
         [](const Machine& m) { return "In place: " + Utf8(m.Engine()) + "\r\nIn place: " + Utf8(m.Config(L"alice")) + "\r\n"; }},
        {"a face, a size and a switch differ", MakeDiffer, 8,
         [](const Machine& m) {
             const std::string engine = "Differs: " + Utf8(m.Engine()) + " [Font] ";
             return engine + "StandardFontFamily: \"Arial\" in the file, \"DejaVu Serif\" in the profile\r\n" + engine +
                    "DefaultFontSize: \"18\" in the file, \"16\" in the profile\r\nDiffers: " + Utf8(m.Config(L"alice")) +
                    " [CreateNewTab] ClickOnFavorite: \"0\" in the file, \"1\" in the profile\r\n";
         }},
    };
    for (const auto& c : cases) {
        for (const bool browserRuns : {false, true}) {
            const std::string name = std::string(c.name) + (browserRuns ? ", browser running" : "");
            Machine m;
            c.prepare(m);
            // An earlier save's backup, which must stay the only one.
            WriteFileBytes(m.Profile(), "[Font]\r\nMinimumFontSize=2\r\n");
            ASSERT_EQ(m.Run(L"/import \"" + m.Profile() + L"\"").exitCode, 0u) << name;
            ASSERT_EQ(backups::List(backups::BackupRoot(m.Work())).size(), 1u) << name;
            WriteFileBytes(m.Profile(), kSampleProfile);
            const FileTree before = SnapshotTree(m.dir.Path());
            std::unique_ptr<FakeBrowser> browser;
            if (browserRuns) browser = std::make_unique<FakeBrowser>(L"fake_nerovia.exe", L"Nerovia.exe");

            const CommandLineRun run = m.Run(L"/check \"" + m.Profile() + L"\" /account alice");
            ExpectClean(run, name);
            EXPECT_EQ(run.exitCode, c.code) << name << "\n" << run.error;
            EXPECT_EQ(run.output, c.output(m)) << name;
            EXPECT_EQ(run.error, "") << name;
            for (const std::string& change : TreeChanges(before, SnapshotTree(m.dir.Path()), {}))
                ADD_FAILURE() << name << ": " << change;
        }
    }
}

TEST(CommandLine, BackupsAreListedAndPutBackFromTheCommandLine)
{
    Machine m;
    WriteFileBytes(m.Profile(), kProfile);
    ASSERT_EQ(m.Run(L"/import \"" + m.Profile() + L"\" /account alice").exitCode, 0u);
    WriteFileBytes(m.Profile(), "[Font]\r\nDefaultFontSize=24\r\n");
    ASSERT_EQ(m.Run(L"/import \"" + m.Profile() + L"\"").exitCode, 0u);
    const std::string engineNow = ReadFileBytes(m.Engine());
    const std::vector<backups::Backup> kept = backups::List(backups::BackupRoot(m.Work()));
    ASSERT_EQ(kept.size(), 2u);

    CommandLineRun run = m.Run(L"/backups");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(run.output, Utf8(kept[0].name) + "  WKSetting.ini\r\n" + Utf8(kept[1].name) +
                              "  WKSetting.ini, config.ini of alice\r\n");

    // Refused, each with nothing touched: an unknown name, and the browser running.
    const FileTree before = SnapshotTree(m.dir.Path());
    run = m.Run(L"/restore \"2020-01-01 00-00-00\"");
    EXPECT_EQ(run.exitCode, 9u);
    EXPECT_EQ(run.error, "No backup named 2020-01-01 00-00-00. Velltune.exe /backups lists them.\r\n");
    {
        FakeBrowser browser(L"fake_nerovia.exe", L"Nerovia.exe");
        EXPECT_EQ(m.Run(L"/restore latest").exitCode, 4u);
    }
    for (const std::string& change : TreeChanges(before, SnapshotTree(m.dir.Path()), {})) ADD_FAILURE() << change;

    // The latest undoes the second import, the oldest by its name the first; each restore is backed up in turn.
    run = m.Run(L"/Restore LATEST");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(run.output, "Restored: " + Utf8(kept[0].name) + "\r\nWritten: " + Utf8(m.Engine()) + "\r\n");
    EXPECT_EQ(ReadFileBytes(m.Engine()), kEngineAfter);
    run = m.Run(L"/restore \"" + kept[1].name + L"\"");
    EXPECT_EQ(run.exitCode, 0u) << run.error;
    EXPECT_EQ(ReadFileBytes(m.Engine()), kSampleEngineFile);
    EXPECT_EQ(ReadFileBytes(m.Config(L"alice")), kSampleAccountConfig);
    const std::vector<backups::Backup> after = backups::List(backups::BackupRoot(m.Work()));
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(ReadFileBytes(after[1].folder + after[1].files[0].storedName), engineNow);
}

TEST(CommandLine, TheConsoleProgramPrintsAndEndsAsTheWindowProgram)
{
    Machine m;
    WriteFileBytes(m.Profile(), kSampleProfile);
    MakeDiffer(m);
    const struct {
        const char* name;
        std::wstring arguments;
        DWORD code;
    } cases[] = {
        {"several lines", L"/check \"" + m.Profile() + L"\" /account alice", 8},
        {"an error line", L"/restore latest", 9},
        {"no data folder", L"/check \"" + m.Profile() + L"\" /datafolder \"" + m.dir.Path() + L"\"", 3},
    };
    for (const auto& c : cases) {
        const CommandLineRun com = m.Run(c.arguments, L"Velltune.com");
        const CommandLineRun exe = m.Run(c.arguments);
        ExpectClean(com, c.name);
        EXPECT_EQ(com.exitCode, c.code) << c.name << "\n" << com.error;
        EXPECT_EQ(com.output, exe.output) << c.name;
        EXPECT_EQ(com.error, exe.error) << c.name;
        EXPECT_NE(com.output + com.error, "") << c.name;
    }
    const CommandLineRun usage = m.Run(L"/?", L"Velltune.com");
    EXPECT_EQ(usage.exitCode, 0u);
    EXPECT_NE(usage.output.find("Velltune.com /check FILE"), std::string::npos) << usage.output;
    EXPECT_NE(usage.output.find("9 no such backup."), std::string::npos) << usage.output;
}

}  // namespace
