// The working folder and Settings.ini.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestSupport.h"
#include "app/Settings.h"

using namespace velltune::test;

namespace {

// Restores the current directory that a test changes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder)
    {
        wchar_t buffer[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, buffer);
        saved_ = buffer;
        ::SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentDirectory() { ::SetCurrentDirectoryW(saved_.c_str()); }

private:
    std::wstring saved_;
};

TEST(WorkingFolder, EndsInOneBackslashAlsoAtADriveRoot)
{
    {
        CurrentDirectory cd(L"C:\\");
        EXPECT_EQ(settings::GetWorkingFolder(), L"C:\\");
        EXPECT_EQ(settings::SettingsPath(settings::GetWorkingFolder()), L"C:\\Settings.ini");
    }
    TempDir dir;
    CurrentDirectory cd(dir.Path());
    EXPECT_EQ(settings::GetWorkingFolder(), dir.Path());
}

TEST(WorkingFolder, SettingsFollowTheCurrentDirectoryNotTheExecutable)
{
    TempDir dir;
    CurrentDirectory cd(dir.Path());
    const std::wstring folder = settings::GetWorkingFolder();
    ASSERT_TRUE(settings::WriteDataFolder(folder, L"D:\\Nerovia3\\"));

    EXPECT_EQ(ReadFileBytes(dir / L"Settings.ini"), "[General]\r\nDataFolder=D:\\Nerovia3\\\r\n");
    EXPECT_FALSE(FileExists(ThisExeFolder() + L"Settings.ini"));
    EXPECT_EQ(settings::ReadDataFolder(folder), L"D:\\Nerovia3\\");
}

TEST(Settings, MissingFileReadsAsEmptyKeys)
{
    TempDir dir;
    EXPECT_EQ(settings::ReadDataFolder(dir.Path()), L"");
    EXPECT_EQ(settings::ReadLanguageFile(dir.Path()), L"");
    EXPECT_EQ(settings::SavedLanguageFilePath(dir.Path()), dir.Path() + L"Language\\");
}

TEST(Settings, LongLanguageFileNameIsReadBackWhole)
{
    // A name of 30 or more characters used to come back cut and was forgotten.
    TempDir dir;
    const std::wstring name = L"Chinese Simplified (Mainland).ini";
    ASSERT_GE(name.size(), 30u);
    ASSERT_TRUE(settings::WriteLanguageFile(dir.Path(), name));
    EXPECT_EQ(settings::ReadLanguageFile(dir.Path()), name);
    EXPECT_EQ(settings::SavedLanguageFilePath(dir.Path()), dir.Path() + L"Language\\" + name);
}

TEST(Settings, SavedLanguageNameNeverLeadsOutOfTheLanguageFolder)
{
    TempDir dir;
    for (const wchar_t* name : {L"..\\..\\x.ini", L"../x.ini", L"C:x.ini", L"Sub\\German.ini"}) {
        ASSERT_TRUE(settings::WriteLanguageFile(dir.Path(), name));
        EXPECT_EQ(settings::SavedLanguageFilePath(dir.Path()), dir.Path() + L"Language\\") << name;
    }
}

}  // namespace
