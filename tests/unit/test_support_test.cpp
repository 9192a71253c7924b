#include "TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace velltune::test;

TEST(TempDirTest, MakesDistinctFoldersUnderTheTempPath)
{
    wchar_t temp[MAX_PATH];
    const std::wstring tempPath(temp, GetTempPathW(MAX_PATH, temp));
    TempDir first;
    TempDir second;
    EXPECT_NE(first.Path(), second.Path());
    for (const TempDir* dir : {&first, &second}) {
        EXPECT_EQ(dir->Path().rfind(tempPath, 0), 0u) << Utf8(dir->Path());
        EXPECT_EQ(dir->Path().back(), L'\\');
        EXPECT_TRUE(FileExists(dir->Path()));
    }
}

TEST(TempDirTest, DeletesNestedAndReadOnlyContent)
{
    std::wstring root;
    {
        TempDir dir;
        root = dir.Path();
        WriteFileBytes(dir / L"a\\b\\deep.ini", "x");
        WriteFileBytes(dir / L"locked.ini", "y");
        SetFileAttributesW((dir / L"locked.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_FALSE(FileExists(root));
}

TEST(FileBytesTest, RoundTripsBytesUntranslatedAndCreatesFolders)
{
    TempDir dir;
    const std::string bytes("[S]\r\nk=v\n\0\xFF\xFE end", 17);
    WriteFileBytes(dir / L"sub\\file.ini", bytes);
    EXPECT_EQ(ReadFileBytes(dir / L"sub\\file.ini"), bytes);

    WriteFileBytes(dir / L"sub\\file.ini", "short");
    EXPECT_EQ(ReadFileBytes(dir / L"sub\\file.ini"), "short") << "a rewrite must truncate";
    EXPECT_EQ(ReadFileBytes(dir / L"missing.ini"), "");
}

TEST(TextTest, ConvertsBetweenUtf8AndUtf16)
{
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e \xE4\xB8\xAD\xE6\x96\x87";  // "Grüße 中文"
    const std::wstring text = L"Gr\u00FC\u00DFe \u4E2D\u6587";
    EXPECT_EQ(Utf16(utf8), text);
    EXPECT_EQ(Utf8(text), utf8);
    EXPECT_EQ(Utf16(""), L"");
    EXPECT_EQ(Utf16LeFileBytes(L"a\u4E2D"), std::string("\xFF\xFE" "a\0\x2D\x4E", 6));
}

TEST(FoldersTest, LocateTheTestsFolderAndTheBuildFolder)
{
    const std::wstring tests = ThisExeFolder();
    ASSERT_GE(tests.size(), 7u);
    EXPECT_EQ(tests.substr(tests.size() - 7), L"\\tests\\");
    EXPECT_EQ(BuildFolder(), tests.substr(0, tests.size() - 6));
    EXPECT_TRUE(FileExists(BuildFolder() + L"Velltune.exe"));
}
