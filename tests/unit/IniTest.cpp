// The INI layer on real files through the platform's profile service.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestSupport.h"
#include "ini/Ini.h"
#include "win/Handles.h"

using namespace velltune::test;

namespace {

// Files start in the form the profile service writes (CRLF, key=value, no
// blank lines), so any other byte difference is the program's doing.
const char kManySections[] =
    "; engine settings\r\n"
    "[General]\r\n"
    "Version=3.1\r\n"
    "; scrolling\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelStep=140\r\n"
    "WheelAccel=4\r\n"
    "[Font]\r\n"
    "SerifFontFamily=Georgia\r\n"
    "[Cache]\r\n"
    "Size=200\r\n";

TEST(Ini, WritingOneKeyChangesOnlyThatLine)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kManySections);

    ASSERT_TRUE(ini::Writer(file).Int(L"ScrollPage", L"WheelStep", 200));

    std::string expected = kManySections;
    expected.replace(expected.find("WheelStep=140"), 13, "WheelStep=200");
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST(Ini, MissingKeyIsAddedToItsSectionAndMissingFileIsCreated)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kManySections);
    ASSERT_TRUE(ini::WriteText(file, L"Font", L"FixedFontFamily", L"Courier"));
    std::string expected = kManySections;
    expected.insert(expected.find("[Cache]"), "FixedFontFamily=Courier\r\n");
    EXPECT_EQ(ReadFileBytes(file), expected);

    const std::wstring fresh = dir / L"new.ini";
    ASSERT_TRUE(ini::WriteText(fresh, L"General", L"DataFolder", L"C:\\data\\"));
    EXPECT_EQ(ReadFileBytes(fresh), "[General]\r\nDataFolder=C:\\data\\\r\n");
}

TEST(Ini, ReadsCutToCapacityAndFallBackToDefaults)
{
    TempDir dir;
    const std::wstring file = dir / L"a.ini";
    WriteFileBytes(file, "[S]\r\nlong=" + std::string(300, 'x') + "\r\nnumber=42abc\r\nempty=\r\n");

    EXPECT_EQ(ini::ReadText(file, L"S", L"long", L"", 10), std::wstring(9, L'x'));
    EXPECT_EQ(ini::ReadText(file, L"S", L"long", L"", 256), std::wstring(255, L'x'));
    EXPECT_EQ(ini::ReadText(file, L"S", L"empty", L"default", 10), L"");
    EXPECT_EQ(ini::ReadText(file, L"S", L"missing", L"default", 10), L"default");
    EXPECT_EQ(ini::ReadText(file, L"S", L"missing", nullptr, 10), L"");
    EXPECT_EQ(ini::ReadText(dir / L"none.ini", L"S", L"long", L"dflt", 10), L"dflt");

    EXPECT_EQ(ini::ReadInt(file, L"S", L"number", 7), 42);
    EXPECT_EQ(ini::ReadInt(file, L"S", L"missing", 7), 7);
    EXPECT_EQ(ini::ReadInt(dir / L"none.ini", L"S", L"number", -3), -3);
}

TEST(Ini, Utf16FileWithNonLatinTextReadsBackExactly)
{
    TempDir dir;
    const std::wstring file = dir / L"Chinese.ini";
    const std::wstring value = L"平滑滚动 — Überprüfung 日本語";
    WriteFileBytes(file, Utf16LeFileBytes(L"[General]\r\nScrollPage=" + value + L"\r\n"));

    EXPECT_EQ(ini::ReadText(file, L"General", L"ScrollPage", L"", 256), value);

    // A write keeps the file's encoding, so the text survives a round trip.
    ASSERT_TRUE(ini::WriteText(file, L"General", L"Other", L"中文"));
    EXPECT_EQ(ini::ReadText(file, L"General", L"ScrollPage", L"", 256), value);
    EXPECT_EQ(ini::ReadText(file, L"General", L"Other", L"", 256), L"中文");
    EXPECT_EQ(ReadFileBytes(file).substr(0, 2), "\xFF\xFE");
}

TEST(Ini, WriteReportsFailureWhenTheFileIsLockedOrAFolder)
{
    TempDir dir;
    const std::wstring file = dir / L"locked.ini";
    WriteFileBytes(file, "[S]\r\nk=1\r\n");
    {
        win::KernelHandle lock(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(ini::WriteText(file, L"S", L"k", L"2"));
    }
    EXPECT_EQ(ReadFileBytes(file), "[S]\r\nk=1\r\n");

    const std::wstring folder = dir / L"folder.ini";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(ini::WriteText(folder, L"S", L"k", L"2"));
}

struct RewriteCase {
    const char* what;
    std::string bytes;
    bool rewritable;
};

// A write into a file that is not text is refused before anything is
// written; text without a mark is written into whatever its code page.
TEST(Ini, WriteIsRefusedIntoFilesThatAreNotText)
{
    const RewriteCase cases[] = {
        {"profile form", kManySections, true},
        {"empty", "", true},
        {"blank lines, blanks around =, lone CR", "[S]\r\n\r\n k = v \rx=1", true},
        {"UTF-8 without mark, non-Latin", "[S]\r\nk=\xD0\x81\xE4\xB8\xAD\xC3\xA9\r\n", true},
        {"no mark, bytes that are neither UTF-8 nor double-byte text", "[S]\r\nk=\xFF\x80\x8B=\r\n", true},
        {"UTF-8 with mark", "\xEF\xBB\xBF[S]\r\nk=\xE4\xB8\xAD\r\n", true},
        {"UTF-16LE with mark", Utf16LeFileBytes(L"[S]\r\nk=\u4e2d\r\n"), true},
        {"NUL inside a line", std::string("[S]\r\nk=v\0tail\r\n", 16), false},
        {"NUL at the end", std::string("[S]\r\n\0", 6), false},
        {"UTF-8 mark, then bytes that are not UTF-8", "\xEF\xBB\xBF[S]\r\nk=\xC3\x28\xFF\r\n", false},
        {"UTF-16LE mark, NUL unit", Utf16LeFileBytes(std::wstring(L"[S]\r\nk=\0v\r\n", 10)), false},
        {"UTF-16LE mark, odd length", Utf16LeFileBytes(L"[S]\r\n") + "x", false},
    };
    TempDir dir;
    for (const RewriteCase& c : cases) {
        const std::wstring file = dir / L"file.ini";
        WriteFileBytes(file, c.bytes);
        EXPECT_EQ(ini::CanRewrite(file), c.rewritable) << c.what;
        EXPECT_EQ(ini::WriteText(file, L"S", L"new", L"1"), c.rewritable) << c.what;
        // A save's writer refuses every one of its writes, not just the first.
        ini::Writer save(file);
        EXPECT_EQ(save.Text(L"S", L"a", L"1"), c.rewritable) << c.what;
        EXPECT_EQ(save.Int(L"S", L"b", 2), c.rewritable) << c.what;
        if (!c.rewritable) {
            EXPECT_EQ(ReadFileBytes(file), c.bytes) << c.what;
        }
    }
    EXPECT_TRUE(ini::CanRewrite(dir / L"missing.ini"));
}

}  // namespace
