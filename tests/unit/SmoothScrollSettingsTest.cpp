// The smooth-scroll and new-tab records on real files, and the decision that
// a number field takes on every change of its text.
#include <gtest/gtest.h>

#include <windows.h>

#include "ProcessSupport.h"
#include "TestSupport.h"
#include "browser/SmoothScrollSettings.h"

using namespace velltune::test;
using browser::FieldAction;
using browser::NewTabSettings;
using browser::SmoothScrollSettings;

namespace {

// Files start in the form the profile service writes, so that any other byte
// difference is the program's doing.
const char kEngineFile[] =
    "[General]\r\n"
    "Version=3.1\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=30\r\n"
    "WheelEndDumping=60\r\n"
    "WheelAccel=8\r\n"
    "WheelStep=150\r\n"
    "[Font]\r\n"
    "DefaultFontSize=16\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(SmoothScrollRecord, MissingSectionGivesOnAndTheDefaults)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, "[Font]\r\nDefaultFontSize=16\r\n");
    const SmoothScrollSettings s = SmoothScrollSettings::Load(file);
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.values[0], 20);
    EXPECT_EQ(s.values[1], 50);
    EXPECT_EQ(s.values[2], 4);
    EXPECT_EQ(s.values[3], 140);
}

TEST(SmoothScrollRecord, OnlyLowerCaseTrueSwitchesOnAndValuesAreTakenUnchecked)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    for (const char* stored : {"True", "1", "TRUE", "yes", "truex"}) {
        WriteFileBytes(file, std::string("[ScrollPage]\r\nScrollPageSmoothly=") + stored + "\r\n");
        EXPECT_FALSE(SmoothScrollSettings::Load(file).enabled) << stored;
    }
    WriteFileBytes(file, "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelAccel=500\r\nWheelStep=-5\r\n");
    const SmoothScrollSettings s = SmoothScrollSettings::Load(file);
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.values[2], 500);
    EXPECT_EQ(s.values[3], -5);
}

TEST(SmoothScrollRecord, SavingOnWritesAllFiveKeysInPlace)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kEngineFile);
    SmoothScrollSettings s;
    s.values[0] = 0;
    s.values[3] = 300;
    ASSERT_TRUE(s.Save(file));
    std::string expected = Replace(kEngineFile, "WheelBeginDumping=30", "WheelBeginDumping=0");
    expected = Replace(expected, "WheelEndDumping=60", "WheelEndDumping=50");
    expected = Replace(expected, "WheelAccel=8", "WheelAccel=4");
    expected = Replace(expected, "WheelStep=150", "WheelStep=300");
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST(SmoothScrollRecord, SavingOffWritesTheSwitchOnly)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kEngineFile);
    SmoothScrollSettings s;
    s.enabled = false;
    s.values[2] = 99;
    ASSERT_TRUE(s.Save(file));
    EXPECT_EQ(ReadFileBytes(file), Replace(kEngineFile, "ScrollPageSmoothly=true", "ScrollPageSmoothly=false"));
}

TEST(SmoothScrollRecord, MissingSectionIsAddedWithTheKeysInOrder)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, "[Font]\r\nDefaultFontSize=16\r\n");
    ASSERT_TRUE(SmoothScrollSettings{}.Save(file));
    EXPECT_EQ(ReadFileBytes(file),
              "[Font]\r\nDefaultFontSize=16\r\n[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelBeginDumping=20\r\n"
              "WheelEndDumping=50\r\nWheelAccel=4\r\nWheelStep=140\r\n");
}

TEST(SmoothScrollRecord, LockedFileMakesTheSaveFail)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kEngineFile);
    {
        FileLock lock(file);
        ASSERT_TRUE(lock.Held());
        EXPECT_FALSE(SmoothScrollSettings{}.Save(file));
        SmoothScrollSettings off;
        off.enabled = false;
        EXPECT_FALSE(off.Save(file));
    }
    EXPECT_EQ(ReadFileBytes(file), kEngineFile);
}

TEST(NewTabRecord, MissingSectionGivesClearTickedTickedAndSavingAddsIt)
{
    TempDir dir;
    const std::wstring file = dir / L"config.ini";
    WriteFileBytes(file, "[General]\r\nName=bob\r\n");
    const NewTabSettings s = NewTabSettings::Load(file);
    EXPECT_FALSE(s.addressBar);
    EXPECT_TRUE(s.searchBar);
    EXPECT_TRUE(s.favorite);
    ASSERT_TRUE(s.Save(file));
    EXPECT_EQ(ReadFileBytes(file),
              "[General]\r\nName=bob\r\n[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=1\r\n");
}

TEST(NewTabRecord, AnyNonZeroNumberIsOnAndIsSavedAsOne)
{
    TempDir dir;
    const std::wstring file = dir / L"config.ini";
    WriteFileBytes(file, "[CreateNewTab]\r\nAddressBarInput=2\r\nSearchBarInput=0\r\nClickOnFavorite=-1\r\n");
    const NewTabSettings s = NewTabSettings::Load(file);
    EXPECT_TRUE(s.addressBar);
    EXPECT_FALSE(s.searchBar);
    EXPECT_TRUE(s.favorite);
    ASSERT_TRUE(s.Save(file));
    EXPECT_EQ(ReadFileBytes(file), "[CreateNewTab]\r\nAddressBarInput=1\r\nSearchBarInput=0\r\nClickOnFavorite=1\r\n");
}

TEST(NewTabRecord, ConfigPathThatIsAFolderMakesTheSaveFail)
{
    TempDir dir;
    const std::wstring folder = dir / L"config.ini";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(NewTabSettings{}.Save(folder));
}

struct FieldCase {
    const wchar_t* text;
    int maxValue;
    FieldAction action;
    unsigned long long value;
};

TEST(ScrollFieldCheck, DecidesEveryKindOfText)
{
    const FieldCase cases[] = {
        {L"0", 100, FieldAction::Accept, 0},
        {L"100", 100, FieldAction::Accept, 100},
        {L"000450", 450, FieldAction::Accept, 450},
        {L"  42", 100, FieldAction::Accept, 42},
        {L"12abc", 100, FieldAction::Accept, 12},
        {L"101", 100, FieldAction::OutOfRange, 101},
        {L"1000", 100, FieldAction::OutOfRange, 1000},
        // Above the signed 32-bit range but still a number.
        {L"3000000000", 300, FieldAction::OutOfRange, 3000000000ULL},
        {L"4294967295", 450, FieldAction::OutOfRange, 4294967295ULL},
        {L"", 100, FieldAction::ReplaceByDefault, 0},
        {L"   ", 100, FieldAction::ReplaceByDefault, 0},
        {L"abc", 100, FieldAction::ReplaceByDefault, 0},
        {L"-5", 100, FieldAction::ReplaceByDefault, 0},
        {L"4294967296", 450, FieldAction::ReplaceByDefault, 0},
        {L"99999999999999999999999", 450, FieldAction::ReplaceByDefault, 0},
    };
    for (const FieldCase& c : cases) {
        const browser::FieldDecision d = browser::CheckScrollField(c.text, c.maxValue);
        EXPECT_EQ(d.action, c.action) << Utf8(c.text);
        if (c.action != FieldAction::ReplaceByDefault) {
            EXPECT_EQ(d.value, c.value) << Utf8(c.text);
        }
    }
}

}  // namespace
