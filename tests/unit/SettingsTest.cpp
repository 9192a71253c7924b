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

    EXPECT_EQ(ReadFileBytes(dir / L"Settings.ini"), Utf16LeFileBytes(L"[General]\r\nDataFolder=D:\\Nerovia3\\\r\n"));
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
    // A name of 30 or more characters comes back whole: it is read with a path's capacity.
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

TEST(Settings, NamesInAnyScriptAreRememberedInAFreshAndInALegacyFile)
{
    struct Case {
        const char* name;
        const char* legacyBytes;  // Settings.ini before, in the legacy code page; null for none
    };
    const Case cases[] = {
        {"fresh", nullptr},
        {"legacy", "[General]\r\nLanguageFile=Fran\xE7\x61is.ini\r\nDataFolder=C:\\Old\\\r\n"},
    };
    const std::wstring folder = L"D:\\\u0414\u0430\u043d\u043d\u044b\u0435\\Nerovia3\\";  // D:\Данные\Nerovia3\ in Cyrillic
    const std::wstring language = L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439.ini";           // Русский.ini
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.legacyBytes) {
            WriteFileBytes(dir / L"Settings.ini", c.legacyBytes);
            // What the legacy file already holds stays readable after the change of form.
            ASSERT_TRUE(settings::WriteDataFolder(dir.Path(), folder));
            EXPECT_EQ(settings::ReadLanguageFile(dir.Path()), L"Fran\u00e7ais.ini");
        }
        ASSERT_TRUE(settings::WriteDataFolder(dir.Path(), folder));
        ASSERT_TRUE(settings::WriteLanguageFile(dir.Path(), language));
        EXPECT_EQ(settings::ReadDataFolder(dir.Path()), folder);
        EXPECT_EQ(settings::ReadLanguageFile(dir.Path()), language);
        EXPECT_EQ(ReadFileBytes(dir / L"Settings.ini").substr(0, 2), "\xFF\xFE");
        EXPECT_FALSE(WorkingCopyLeft(dir / L"Settings.ini"));
    }
}

}  // namespace
