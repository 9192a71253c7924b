// Settling the browser data folder on real files: the stored folder, the
// default one under the roaming application-data folder, and the accept rule
// of the data-folder dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "TestSupport.h"
#include "browser/DataFolder.h"

using namespace velltune::test;
using datafolder::Candidate;
using datafolder::Located;

namespace {

void MakeDataFolder(const std::wstring& folder)
{
    WriteFileBytes(folder + L"Temp\\WebKit\\WKSetting.ini", "[ScrollPage]\r\n");
}

void RemoveTree(const std::wstring& folder)
{
    std::wstring from = folder;
    from.push_back(L'\0');  // the shell wants a double-terminated list
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

// The default folder lives in the prefix's real application-data folder: each
// test starts and ends without it.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t appData[MAX_PATH];
        ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
        defaultFolder = std::wstring(appData) + L"\\Nerovia3\\";
        RemoveTree(defaultFolder.substr(0, defaultFolder.size() - 1));
        ASSERT_FALSE(FileExists(defaultFolder));
    }
    void TearDown() override { RemoveTree(defaultFolder.substr(0, defaultFolder.size() - 1)); }

    void StoreDataFolder(const std::wstring& folder)
    {
        WriteFileBytes(working / L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(folder) + "\r\n");
    }
    std::string SettingsBytes() { return ReadFileBytes(working / L"Settings.ini"); }

    TempDir working;
    TempDir data;
    std::wstring defaultFolder;
};

TEST_F(DataFolderTest, ValidStoredFolderIsUsedAndNotRewritten)
{
    MakeDataFolder(data.Path());
    MakeDataFolder(defaultFolder);
    StoreDataFolder(data.Path());
    const std::string before = SettingsBytes();

    std::wstring folder;
    EXPECT_EQ(datafolder::Locate(working.Path(), folder), Located::Stored);
    EXPECT_EQ(folder, data.Path());
    EXPECT_EQ(SettingsBytes(), before);
}

TEST_F(DataFolderTest, StoredFolderWithoutFinalBackslashIsTakenAndCompletedOnlyWithAnotherWrite)
{
    MakeDataFolder(data.Path());
    MakeDataFolder(defaultFolder);
    const std::wstring withoutBackslash = data.Path().substr(0, data.Path().size() - 1);
    StoreDataFolder(withoutBackslash);
    const std::string before = SettingsBytes();

    std::wstring folder;
    EXPECT_EQ(datafolder::Locate(working.Path(), folder), Located::Stored);
    EXPECT_EQ(folder, data.Path());
    EXPECT_EQ(SettingsBytes(), before);

    // Another folder than the stored one is no completion of it.
    datafolder::CompleteStored(working.Path(), defaultFolder);
    EXPECT_EQ(SettingsBytes(), before);
    datafolder::CompleteStored(working.Path(), folder);
    EXPECT_EQ(SettingsBytes(), "[General]\r\nDataFolder=" + Utf8(data.Path()) + "\r\n");
}

TEST_F(DataFolderTest, DefaultFolderIsFoundAndWrittenOverAnInvalidStoredOne)
{
    MakeDataFolder(defaultFolder);
    StoreDataFolder(data.Path());  // no engine settings file there

    std::wstring folder;
    EXPECT_EQ(datafolder::Locate(working.Path(), folder), Located::Default);
    EXPECT_EQ(folder, defaultFolder);
    EXPECT_EQ(SettingsBytes(), "[General]\r\nDataFolder=" + Utf8(defaultFolder) + "\r\n");
}

TEST_F(DataFolderTest, DefaultFolderIsWrittenWhenNothingIsStored)
{
    MakeDataFolder(defaultFolder);
    std::wstring folder;
    EXPECT_EQ(datafolder::Locate(working.Path(), folder), Located::Default);
    EXPECT_EQ(folder, defaultFolder);
    // A new Settings.ini is UTF-16LE, so that a folder name in any script fits.
    EXPECT_EQ(SettingsBytes(), Utf16LeFileBytes(L"[General]\r\nDataFolder=" + defaultFolder + L"\r\n"));

    std::wstring named;
    ASSERT_TRUE(datafolder::DefaultDataFolder(named));
    EXPECT_EQ(named, defaultFolder);
}

TEST_F(DataFolderTest, NeitherValidLeavesTheFolderEmptyAndWritesNothing)
{
    std::wstring folder;
    EXPECT_EQ(datafolder::Locate(working.Path(), folder), Located::NotFound);
    EXPECT_EQ(folder, L"");
    EXPECT_FALSE(FileExists(working / L"Settings.ini"));
}

TEST_F(DataFolderTest, AcceptRuleAppendsTheBackslashAndTestsTheEngineFile)
{
    MakeDataFolder(data.Path());
    const std::wstring withoutBackslash = data.Path().substr(0, data.Path().size() - 1);

    std::wstring text = withoutBackslash;
    EXPECT_EQ(datafolder::CheckCandidate(text), Candidate::Valid);
    EXPECT_EQ(text, data.Path());

    text = data.Path();
    EXPECT_EQ(datafolder::CheckCandidate(text), Candidate::Valid);
    EXPECT_EQ(text, data.Path());

    text = working.Path();
    EXPECT_EQ(datafolder::CheckCandidate(text), Candidate::NotDataFolder);

    text = L"";
    EXPECT_EQ(datafolder::CheckCandidate(text), Candidate::Empty);

    // Blanks are not trimmed: they make a folder name of their own.
    text = L"   ";
    EXPECT_EQ(datafolder::CheckCandidate(text), Candidate::NotDataFolder);
    EXPECT_EQ(text, L"   \\");
}

TEST_F(DataFolderTest, BrowserStartsAtTheNearestFolderThatExists)
{
    const std::wstring dataFolder = data.Path().substr(0, data.Path().size() - 1);
    const std::wstring appData = defaultFolder.substr(0, defaultFolder.size() - std::wstring(L"\\Nerovia3\\").size());
    const struct {
        const wchar_t* name;
        std::wstring field;
        std::wstring start;
    } cases[] = {
        {L"the folder itself", data.Path(), dataFolder},
        {L"without its backslash", dataFolder, dataFolder},
        {L"a folder not made yet", data.Path() + L"new\\deeper\\", dataFolder},
        {L"a drive's root", L"C:\\", L"C:\\"},
        {L"empty: the default folder's nearest", L"", appData},
        {L"a relative path", L"typed", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(datafolder::BrowseStart(c.field), c.start) << Utf8(c.name);

    MakeDataFolder(defaultFolder);
    EXPECT_EQ(datafolder::BrowseStart(L""), defaultFolder.substr(0, defaultFolder.size() - 1));
}

}  // namespace
