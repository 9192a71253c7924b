// What stops a save in the real main dialog: a running Nerovia 3, and a write
// that the platform refuses. Either way nothing after it is written and the
// dialog stays modified with Apply enabled.
#include "MainDialogHarness.h"
#include "ProcessSupport.h"

using namespace velltune::test;

namespace {

// The names of the files and folders in a folder, in the order listed.
std::vector<std::wstring> NamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(entry.cFileName);
    while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return names;
}

std::wstring FolderOf(const std::wstring& file)
{
    return file.substr(0, file.find_last_of(L'\\') + 1);
}

const char kEngine[] =
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=30\r\n"
    "WheelEndDumping=60\r\n"
    "WheelAccel=8\r\n"
    "WheelStep=150\r\n";
const char kConfig[] = "[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=1\r\n";
const wchar_t kSaveFailed[] = L"Failed to save Nerovia 3 settings!";
const wchar_t kRunning[] =
    L"Settings cannot be saved while Nerovia 3 is running.\n\nPlease exit Nerovia 3 and try again later.";

class SaveRefusal : public MainDialogHarness {
protected:
    void SetUp() override
    {
        folder.WriteEngineFile(kEngine);
        folder.AddAccount(L"alice", kConfig);
        // An account whose config.ini is a folder: it passes the existence test, but no write reaches it.
        folder.AddAccount(L"bob", nullptr);
        ASSERT_TRUE(::CreateDirectoryW((folder.DataFolder() + L"Users\\bob\\Config").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW(folder.ConfigFile(L"bob").c_str(), nullptr));
        ASSERT_TRUE(Open());
        ASSERT_TRUE(SelectAccount(L"alice"));
        SetText(IDC_EDIT_STEP, L"200");
        Click(IDC_CHECK_ADDRESSBAR);
        ASSERT_TRUE(Enabled(IDC_APPLY));
    }
    void ExpectNothingWritten()
    {
        EXPECT_EQ(EngineBytes(), kEngine);
        EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), kConfig);
    }
    void ExpectStillModified()
    {
        EXPECT_TRUE(dialog.IsModified());
        EXPECT_TRUE(Enabled(IDC_APPLY));
        EXPECT_EQ(Text(IDCANCEL), L"Cancel");
        EXPECT_FALSE(dialog.HasEnded());
    }
};

// Changes typed and then taken back: Apply puts no file in place and keeps no backup.
TEST_F(SaveRefusal, ChangesTakenBackReplaceNothing)
{
    const auto writeTime = [](const std::wstring& file) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
        return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    };
    Click(IDC_APPLY);
    const std::string engine = EngineBytes(), config = ReadFileBytes(folder.ConfigFile(L"alice"));
    const ULONGLONG engineTime = writeTime(folder.EngineFile()), configTime = writeTime(folder.ConfigFile(L"alice"));
    const std::vector<std::wstring> backups = NamesIn(folder.Folder() + L"Backup\\");
    ASSERT_EQ(backups.size(), 3u) << "., .. and the first save's";
    ::Sleep(50);
    SetText(IDC_EDIT_STEP, L"250");
    SetText(IDC_EDIT_STEP, L"200");
    Click(IDC_CHECK_ADDRESSBAR);
    Click(IDC_CHECK_ADDRESSBAR);
    ASSERT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(EngineBytes(), engine);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), config);
    EXPECT_EQ(writeTime(folder.EngineFile()), engineTime);
    EXPECT_EQ(writeTime(folder.ConfigFile(L"alice")), configTime);
    EXPECT_EQ(NamesIn(folder.Folder() + L"Backup\\"), backups);
}

TEST_F(SaveRefusal, RunningNeroviaThreeStopsApplyAndOk)
{
    FakeBrowser browserProcess(L"fake_nerovia.exe", L"Nerovia.exe");
    ASSERT_TRUE(browserProcess.Started());

    Click(IDC_APPLY);
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kRunning});
    ExpectNothingWritten();
    ExpectStillModified();

    boxes.Clear();
    Click(IDOK);
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kRunning});
    ExpectNothingWritten();
    ExpectStillModified();
}

class SaveGoesOn : public SaveRefusal, public ::testing::WithParamInterface<std::pair<const wchar_t*, const wchar_t*>> {};

TEST_P(SaveGoesOn, WhenTheRunningProgramIsNoNeroviaThree)
{
    FakeBrowser other(GetParam().first, GetParam().second);
    ASSERT_TRUE(other.Started());
    Click(IDC_APPLY);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_NE(EngineBytes().find("WheelStep=200"), std::string::npos);
    EXPECT_NE(ReadFileBytes(folder.ConfigFile(L"alice")).find("AddressBarInput=1"), std::string::npos);
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

INSTANTIATE_TEST_SUITE_P(Guard, SaveGoesOn,
                         ::testing::Values(std::make_pair(L"fake_nerovia_v2.exe", L"Nerovia.exe"),
                                           std::make_pair(L"fake_nerovia.exe", L"NEROVIA.EXE")));

TEST_F(SaveRefusal, LockedEngineFileStopsTheSaveBeforeTheAccountsFile)
{
    {
        FileLock lock(folder.EngineFile());
        ASSERT_TRUE(lock.Held());
        Click(IDC_APPLY);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kSaveFailed});
    EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
    ExpectNothingWritten();
    ExpectStillModified();
}

TEST_F(SaveRefusal, ConfigPathThatIsAFolderStopsTheWholeSaveEvenTheEngineFile)
{
    ASSERT_TRUE(SelectAccount(L"bob"));
    EXPECT_TRUE(Enabled(IDC_CHECK_ADDRESSBAR));
    Click(IDC_CHECK_FAVORITES);  // only a changed account is written

    Click(IDC_APPLY);
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kSaveFailed});
    EXPECT_EQ(EngineBytes(), kEngine) << "a save lands whole or not at all";
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), kConfig) << "the other changed account too";
    ExpectStillModified();
}

TEST_F(SaveRefusal, OkAfterAFailedSaveStaysOpen)
{
    {
        FileLock lock(folder.EngineFile());
        ASSERT_TRUE(lock.Held());
        Click(IDOK);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kSaveFailed});
    ExpectNothingWritten();
    ExpectStillModified();
}

TEST_F(SaveRefusal, ReadOnlyFileStopsTheWholeSaveAndLeavesNothingBeside)
{
    // Under Wine as root the file system would let the save through.
    for (const std::wstring& file : {folder.EngineFile(), folder.ConfigFile(L"alice")}) {
        SCOPED_TRACE(Utf8(file));
        boxes.Clear();
        const std::wstring folders[] = {folder.Folder(), FolderOf(folder.EngineFile()), FolderOf(folder.ConfigFile(L"alice"))};
        std::vector<std::vector<std::wstring>> before;
        for (const std::wstring& f : folders) before.push_back(NamesIn(f));
        ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
        Click(IDC_APPLY);
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{kSaveFailed});
        ExpectNothingWritten();
        ExpectStillModified();
        for (size_t i = 0; i < std::size(folders); ++i) EXPECT_EQ(NamesIn(folders[i]), before[i]) << Utf8(folders[i]);
    }
}

TEST_F(SaveRefusal, FailureAfterTheEngineFileIsInPlaceNamesTheFilesSavedAndNot)
{
    {
        // Copied, so written; but it cannot be replaced while held.
        FileLock lock(folder.ConfigFile(L"alice"), true);
        ASSERT_TRUE(lock.Held());
        Click(IDC_APPLY);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{std::wstring(kSaveFailed) + L"\nSaved: " + folder.EngineFile() +
                                                       L"\nNot saved: " + folder.ConfigFile(L"alice")});
    EXPECT_NE(EngineBytes().find("WheelStep=200"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(folder.ConfigFile(L"alice")), kConfig);
    ExpectStillModified();
}

}  // namespace
