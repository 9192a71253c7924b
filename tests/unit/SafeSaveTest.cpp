// Saves through working copies, the backups they keep and their restore, on
// real files through the profile service.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "ProcessSupport.h"
#include "TestSupport.h"
#include "app/Backups.h"
#include "app/SaveTransaction.h"
#include "browser/BackupLabel.h"
#include "browser/SmoothScrollSettings.h"

using namespace velltune::test;

namespace {

const char kEngine[] =
    "; engine\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=20\r\n"
    "WheelEndDumping=50\r\n"
    "WheelAccel=4\r\n"
    "WheelStep=140\r\n"
    "[Cache]\r\n"
    "Size=200\r\n";
const char kConfig[] = "[General]\r\nHome=x\r\n[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=1\r\n";

// The files a save replaces, as the data folder lays them out.
struct DataFolder {
    TempDir dir;
    std::wstring folder = dir / L"data\\";
    std::wstring engine = dir / L"data\\Temp\\WebKit\\WKSetting.ini";
    std::wstring alice = dir / L"data\\Users\\alice\\Config\\config.ini";
    std::wstring bob = dir / L"data\\Users\\bob\\Config\\config.ini";
    std::wstring backupRoot = dir / L"Backup\\";

    DataFolder()
    {
        WriteFileBytes(engine, kEngine);
        WriteFileBytes(alice, kConfig);
        WriteFileBytes(bob, kConfig);
    }
    // Every working copy the program's saves may have left anywhere below.
    bool AnyCopyLeft() const
    {
        for (const std::wstring& f : {engine, alice, bob})
            if (WorkingCopyLeft(f)) return true;
        return false;
    }
};

// One save: the step to the scroll value in the engine file and the address
// switch in both accounts' config.ini.
bool Save(DataFolder& data, int step, const std::wstring& backupRoot)
{
    safesave::SaveTransaction save(data.folder, backupRoot);
    browser::SmoothScrollSettings scroll;
    scroll.values[3] = step;
    browser::NewTabSettings tabs;
    tabs.addressBar = true;
    const std::wstring engineCopy = save.Prepare(data.engine);
    if (engineCopy.empty() || !scroll.Save(engineCopy)) return false;
    for (const std::wstring& config : {data.alice, data.bob}) {
        const std::wstring copy = save.Prepare(config);
        if (copy.empty() || !tabs.Save(copy)) return false;
    }
    // Asked again, the save gets the copy it already wrote into.
    if (save.Prepare(data.engine) != engineCopy) return false;
    return save.Commit();
}

std::string Replaced(const std::string& bytes, const std::string& from, const std::string& to)
{
    std::string result = bytes;
    result.replace(result.find(from), from.size(), to);
    return result;
}

const std::string kEngineAfter = Replaced(kEngine, "WheelStep=140", "WheelStep=200");
const std::string kConfigAfter = Replaced(kConfig, "AddressBarInput=0", "AddressBarInput=1");

TEST(SafeSave, CommitPutsEveryCopyInPlaceAndNothingBefore)
{
    DataFolder data;
    {
        safesave::SaveTransaction save(data.folder);
        browser::SmoothScrollSettings scroll;
        scroll.values[3] = 200;
        const std::wstring copy = save.Prepare(data.engine);
        ASSERT_TRUE(scroll.Save(copy));
        // Written, not committed: the original is untouched.
        EXPECT_EQ(ReadFileBytes(data.engine), kEngine);
        EXPECT_EQ(ReadFileBytes(copy), kEngineAfter);
    }
    EXPECT_EQ(ReadFileBytes(data.engine), kEngine);
    EXPECT_FALSE(data.AnyCopyLeft());

    ASSERT_TRUE(Save(data, 200, L""));
    EXPECT_EQ(ReadFileBytes(data.engine), kEngineAfter);
    EXPECT_EQ(ReadFileBytes(data.alice), kConfigAfter);
    EXPECT_EQ(ReadFileBytes(data.bob), kConfigAfter);
    EXPECT_FALSE(data.AnyCopyLeft());
    EXPECT_FALSE(FileExists(data.backupRoot)) << "no backup was asked for";
}

TEST(SafeSave, ARefusedSaveLeavesEveryFileWholeAndNoCopy)
{
    struct Case {
        const char* name;
        bool readable;           // the other process lets bob's file be read (and copied)
        bool engineSaved;        // replaced before the refusal
    };
    const Case cases[] = {
        {"locked: cannot even be copied", false, false},
        {"held open: copied, but cannot be replaced", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataFolder data;
        // A stale copy that a dead process left is no obstacle.
        WriteFileBytes(data.engine + L".velltune-tmp", "[Half");
        {
            FileLock lock(data.bob, c.readable);
            ASSERT_TRUE(lock.Held());
            EXPECT_FALSE(Save(data, 200, data.backupRoot));
        }
        EXPECT_EQ(ReadFileBytes(data.engine), c.engineSaved ? kEngineAfter : std::string(kEngine));
        EXPECT_EQ(ReadFileBytes(data.alice), c.engineSaved ? kConfigAfter : std::string(kConfig));
        EXPECT_EQ(ReadFileBytes(data.bob), kConfig);
        EXPECT_FALSE(data.AnyCopyLeft());
    }
}

TEST(SafeSave, BackupsHoldWhatEachSaveReplacedNewestTwenty)
{
    DataFolder data;
    std::vector<std::string> engineBefore;  // the engine file before save i
    for (int i = 0; i < 21; ++i) {
        engineBefore.push_back(ReadFileBytes(data.engine));
        ASSERT_TRUE(Save(data, 100 + i, data.backupRoot)) << i;
        const std::vector<backups::Backup> list = backups::List(data.backupRoot);
        if (i == 2) {
            // Three saves, three backups, newest first, each with exactly the
            // replaced files: the accounts' only once, as later saves leave them as they are.
            ASSERT_EQ(list.size(), 3u);
            for (int k = 0; k < 3; ++k) {
                const backups::Backup& b = list[2 - k];
                ASSERT_EQ(b.files.size(), k == 0 ? 3u : 1u);
                EXPECT_EQ(b.files[0].originalPath, data.engine);
                EXPECT_EQ(ReadFileBytes(b.folder + b.files[0].storedName), engineBefore[k]);
                EXPECT_EQ(browser::BackupLine(b, L"config.ini of %1").substr(19),
                          (b.name.size() > 19 ? L" (" + b.name.substr(20) + L")" : L"") + L"  WKSetting.ini" +
                              (k == 0 ? L", config.ini of alice, config.ini of bob" : L""));
            }
            EXPECT_EQ(list[2].files[1].originalPath, data.alice);
            EXPECT_EQ(list[2].files[2].originalPath, data.bob);
            EXPECT_EQ(ReadFileBytes(list[2].folder + list[2].files[2].storedName), kConfig);
        }
        if (i == 20) {
            ASSERT_EQ(list.size(), backups::kKept);
            // The oldest went: what the first save replaced is in no backup any more.
            EXPECT_EQ(ReadFileBytes(list.back().folder + list.back().files[0].storedName), engineBefore[1]);
            EXPECT_EQ(ReadFileBytes(list.front().folder + list.front().files[0].storedName), engineBefore[20]);
        }
    }
    EXPECT_FALSE(data.AnyCopyLeft());
}

TEST(SafeSave, RestorePutsBackTheBytesOfThatTimeAndCanItselfBeUndone)
{
    DataFolder data;
    ASSERT_TRUE(Save(data, 150, data.backupRoot));
    const std::string engineAt150 = ReadFileBytes(data.engine);
    ASSERT_TRUE(Save(data, 160, data.backupRoot));
    ASSERT_TRUE(Save(data, 170, data.backupRoot));
    const std::string engineAt170 = ReadFileBytes(data.engine);

    // The second-newest backup holds what the save of 160 replaced: 150.
    std::vector<backups::Backup> list = backups::List(data.backupRoot);
    ASSERT_EQ(list.size(), 3u);
    safesave::SaveFailure failure;
    ASSERT_TRUE(backups::Restore(data.folder, data.backupRoot, list[1], failure));
    EXPECT_EQ(ReadFileBytes(data.engine), engineAt150);
    EXPECT_EQ(ReadFileBytes(data.bob), kConfigAfter);

    // The restore was backed up first: restoring that brings back 170.
    list = backups::List(data.backupRoot);
    ASSERT_EQ(list.size(), 4u);
    ASSERT_TRUE(backups::Restore(data.folder, data.backupRoot, list[0], failure));
    EXPECT_EQ(ReadFileBytes(data.engine), engineAt170);
    EXPECT_FALSE(data.AnyCopyLeft());
}

TEST(SafeSave, WithoutAWritableWorkingFolderTheSaveGoesOnWithoutBackup)
{
    DataFolder data;
    // A file where the backup folder should be: no backup can be made below it.
    WriteFileBytes(data.dir / L"Backup", "not a folder");
    ASSERT_TRUE(Save(data, 200, data.backupRoot));
    EXPECT_EQ(ReadFileBytes(data.engine), kEngineAfter);
    EXPECT_TRUE(backups::List(data.backupRoot).empty());
}

TEST(SafeSave, OnlyCompleteBackupsOfWellFormedNamesAreListedNewestFirst)
{
    struct Case {
        const wchar_t* name;
        bool complete;  // holds its list and the file it names
        int order;      // its place among the saves; 0: none (an earlier version's)
        int rank;       // position in the list, -1 when not listed
    };
    const Case cases[] = {
        {L"2026-12-07 15-00-00", true, 0, 6},
        {L"2026-12-07 15-00-00-2", true, 0, 5},
        {L"2026-12-07 15-00-00-10", true, 0, 4},    // counts compare as numbers
        {L"2026-12-07 15-00-01", true, 0, 3},
        {L"2026-12-07 14-59-00", true, 1, 2},       // any order comes after none
        {L"2026-12-07 14-30-00", true, 2, 1},       // the clock went back between two saves
        {L"2026-12-07 14-45-00", true, 2, 0},       // a tie goes by name
        {L"2026-12-07 15-00-02", false, 3, -1},     // a save died while keeping it
        {L"2026-12-07 15-00-00-1", true, 0, -1},    // the first has no count
        {L"2026-12-07 15-00-00-02", true, 0, -1},
        {L"2026-12-07 15:00:00", true, 0, -1},
        {L"Old", true, 0, -1},
    };
    TempDir root;
    for (const Case& c : cases) {
        const std::wstring folder = root / c.name + L"\\";
        WriteFileBytes(folder + L"WKSetting.ini", kEngine);
        const std::string order = c.order ? "[Backup]\r\nOrder=" + std::to_string(c.order) + "\r\n" : "";
        if (c.complete)
            WriteFileBytes(folder + L"Backup.ini",
                           order + "[Files]\r\nWKSetting.ini=C:\\data\\Temp\\WebKit\\WKSetting.ini\r\n");
    }
    const std::vector<backups::Backup> list = backups::List(root.Path());
    for (const Case& c : cases) {
        if (c.rank < 0) continue;
        ASSERT_LT(static_cast<size_t>(c.rank), list.size()) << Utf8(c.name);
        EXPECT_EQ(list[c.rank].name, c.name);
    }
    EXPECT_EQ(list.size(), 7u);
}

// Three saves while the clock ran a year ahead, each hour of them repeated
// backwards, then the clock back to now for more saves: each new backup is
// the newest, and the pruning takes the oldest saves, not the oldest names.
TEST(SafeSave, BackupsKeepTheOrderOfTheSavesWhateverTheClockSays)
{
    DataFolder data;
    std::vector<std::string> engineBefore;  // the engine file before save i
    for (int i = 0; i < 3; ++i) {
        engineBefore.push_back(ReadFileBytes(data.engine));
        ASSERT_TRUE(Save(data, 100 + i, data.backupRoot));
        const std::wstring made = backups::List(data.backupRoot).front().name;
        const std::wstring ahead = L"2099-01-01 00-00-0" + std::to_wstring(9 - i);
        ASSERT_TRUE(::MoveFileW((data.backupRoot + made).c_str(), (data.backupRoot + ahead).c_str()));
    }
    const int saves = 2 + static_cast<int>(backups::kKept);
    for (int i = 3; i < saves; ++i) {
        engineBefore.push_back(ReadFileBytes(data.engine));
        ASSERT_TRUE(Save(data, 100 + i, data.backupRoot)) << i;
        const backups::Backup newest = backups::List(data.backupRoot).front();
        ASSERT_EQ(ReadFileBytes(newest.folder + newest.files[0].storedName), engineBefore[i]) << i;
    }
    // The first two saves went; the rest newest first.
    const std::vector<backups::Backup> list = backups::List(data.backupRoot);
    ASSERT_EQ(list.size(), backups::kKept);
    for (size_t k = 0; k < list.size(); ++k)
        EXPECT_EQ(ReadFileBytes(list[k].folder + list[k].files[0].storedName), engineBefore[saves - 1 - k]) << k;
    EXPECT_EQ(list.back().name, L"2099-01-01 00-00-07");
}

}  // namespace

namespace {

TEST(FolderLock, EveryNameOfTheFolderMeetsTheOneLock)
{
    DataFolder data;
    safesave::FolderLock held;
    ASSERT_EQ(held.Acquire(data.folder, 0), safesave::LockResult::Held);
    wchar_t shortName[MAX_PATH] = L"";
    ASSERT_NE(::GetShortPathNameW(data.folder.c_str(), shortName, MAX_PATH), 0u);
    std::wstring upperNoSlash = data.folder.substr(0, data.folder.size() - 1);
    for (wchar_t& c : upperNoSlash) c = static_cast<wchar_t>(::towupper(c));
    // The test prefix links drive Y: to drive C:, as subst or a mapped drive does.
    ASSERT_EQ(data.folder.substr(0, 2), L"C:");
    const std::wstring names[] = {data.folder, upperNoSlash, shortName, L"\\\\?\\" + data.folder,
                                  L"Y" + data.folder.substr(1), data.folder + L"Temp\\..\\"};
    for (const std::wstring& name : names) {
        SCOPED_TRACE(Utf8(name));
        safesave::FolderLock other;
        EXPECT_EQ(other.Acquire(name, 0), safesave::LockResult::Busy);
        EXPECT_TRUE(held.Holds(name));
        EXPECT_EQ(other.Other().processId, ::GetCurrentProcessId()) << "the waiter learns who holds it";
    }
    EXPECT_FALSE(held.Holds(data.dir / L""));
    held.Release();
    safesave::FolderLock after;
    EXPECT_EQ(after.Acquire(L"Y" + data.folder.substr(1), 0), safesave::LockResult::Held);
}

TEST(SafeSave, ABackupOfAnotherDataFolderIsRefused)
{
    DataFolder data;
    ASSERT_TRUE(Save(data, 150, data.backupRoot));
    ASSERT_EQ(backups::List(data.backupRoot).size(), 1u);

    // A backup of this folder, restored under the folder's other name, puts it back.
    safesave::SaveFailure failure;
    const std::vector<backups::Backup> list = backups::List(data.backupRoot);
    ASSERT_TRUE(backups::Restore(L"Y" + data.folder.substr(1), data.backupRoot, list[0], failure));
    EXPECT_EQ(ReadFileBytes(data.engine), kEngine);
    EXPECT_EQ(failure.outcome.saved.size(), 3u);

    // Restored while another data folder is the current one, it is refused whole.
    DataFolder other;
    EXPECT_FALSE(backups::Restore(other.folder, data.backupRoot, list[0], failure));
    EXPECT_EQ(failure.reason, safesave::PrepareFailure::Outside);
    EXPECT_EQ(failure.file, data.engine);
    EXPECT_EQ(ReadFileBytes(data.engine), kEngine);
    EXPECT_EQ(backups::List(data.backupRoot).size(), 2u) << "the one restore that was made, no other";
    EXPECT_FALSE(data.AnyCopyLeft());
}

}  // namespace
