// The smooth-scroll group of the real main dialog: loading, the field check
// on every change, the radios, reset, and what Apply and OK make of it.
#include "MainDialogHarness.h"
#include "browser/SmoothScrollSettings.h"

using namespace velltune::test;

namespace {

const int kNineControls[9] = {IDC_EDIT_FOREPART, IDC_EDIT_END,   IDC_EDIT_ACCEL,  IDC_EDIT_STEP,   IDC_SPIN_FOREPART,
                              IDC_SPIN_END,      IDC_SPIN_ACCEL, IDC_SPIN_STEP,   IDC_RESET_SCROLL};
const int kNeverDisabled[7] = {IDC_GROUP_SCROLL, IDC_RADIO_SCROLL_ON, IDC_RADIO_SCROLL_OFF, IDC_LABEL_FOREPART,
                               IDC_LABEL_END,    IDC_LABEL_ACCEL,     IDC_LABEL_STEP};

const char kStoredValues[] =
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=30\r\n"
    "WheelEndDumping=60\r\n"
    "WheelAccel=8\r\n"
    "WheelStep=150\r\n"
    "[Font]\r\n"
    "DefaultFontSize=16\r\n";

using SmoothScrollDialog = MainDialogHarness;

TEST_F(SmoothScrollDialog, MissingSectionShowsOnWithDefaultsAndApplyWritesAllFiveKeys)
{
    folder.WriteEngineFile("[Font]\r\nDefaultFontSize=16\r\n");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Checked(IDC_RADIO_SCROLL_ON));
    EXPECT_FALSE(Checked(IDC_RADIO_SCROLL_OFF));
    EXPECT_EQ(Text(IDC_EDIT_FOREPART), L"20");
    EXPECT_EQ(Text(IDC_EDIT_END), L"50");
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"4");
    EXPECT_EQ(Text(IDC_EDIT_STEP), L"140");
    for (int id : kNineControls) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(dialog.IsModified());

    Click(IDC_RADIO_SCROLL_ON);
    ASSERT_TRUE(Enabled(IDC_APPLY));
    Click(IDC_APPLY);
    EXPECT_EQ(EngineBytes().find("[Font]\r\nDefaultFontSize=16\r\n"), 0u);
    EXPECT_EQ(EngineSection("ScrollPage"),
              "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelBeginDumping=20\r\n"
              "WheelEndDumping=50\r\nWheelAccel=4\r\nWheelStep=140\r\n");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(Text(IDCANCEL), L"Close");
    EXPECT_TRUE(boxes.Texts().empty());
}

class SmoothScrollSwitchedOff : public MainDialogHarness, public ::testing::WithParamInterface<const char*> {};

TEST_P(SmoothScrollSwitchedOff, AnythingButLowerCaseTrueDisablesTheNineControls)
{
    folder.WriteEngineFile(std::string("[ScrollPage]\r\nScrollPageSmoothly=") + GetParam() + "\r\n");
    ASSERT_TRUE(Open());
    EXPECT_TRUE(Checked(IDC_RADIO_SCROLL_OFF));
    EXPECT_FALSE(Checked(IDC_RADIO_SCROLL_ON));
    for (int id : kNineControls) EXPECT_FALSE(Enabled(id)) << id;
    for (int id : kNeverDisabled) EXPECT_TRUE(Enabled(id)) << id;
}

INSTANTIATE_TEST_SUITE_P(StoredSwitch, SmoothScrollSwitchedOff, ::testing::Values("True", "1", "false"));

TEST_F(SmoothScrollDialog, SwitchingOffMakesApplyWriteTheSwitchOnly)
{
    folder.WriteEngineFile(kStoredValues);
    ASSERT_TRUE(Open());
    SetText(IDC_EDIT_STEP, L"200");
    Click(IDC_RADIO_SCROLL_OFF);
    for (int id : kNineControls) EXPECT_FALSE(Enabled(id)) << id;
    Click(IDC_APPLY);

    EXPECT_EQ(EngineSection("ScrollPage"),
              "[ScrollPage]\r\nScrollPageSmoothly=false\r\nWheelBeginDumping=30\r\nWheelEndDumping=60\r\n"
              "WheelAccel=8\r\nWheelStep=150\r\n");
    EXPECT_EQ(dialog.ScrollValue(3), 200) << "switching off keeps the accepted values";

    Click(IDC_RADIO_SCROLL_ON);
    for (int id : kNineControls) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(SmoothScrollDialog, StoredValueOutOfRangeIsReportedOnceKeptAndWrittenBack)
{
    folder.WriteEngineFile("[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelAccel=500\r\n");
    ASSERT_TRUE(Open());
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Numerical value out of range!"});
    EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"500");
    EXPECT_EQ(dialog.ScrollValue(2), 500);
    EXPECT_FALSE(dialog.IsModified());

    Click(IDC_RADIO_SCROLL_ON);
    Click(IDC_APPLY);
    EXPECT_EQ(EngineSection("ScrollPage"),
              "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelAccel=500\r\nWheelBeginDumping=20\r\n"
              "WheelEndDumping=50\r\nWheelStep=140\r\n");
}

TEST_F(SmoothScrollDialog, OkRefusesToCloseWhileAStoredValueIsOutOfRange)
{
    folder.WriteEngineFile("[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelAccel=500\r\n");
    ASSERT_TRUE(Open());
    boxes.Clear();

    Click(IDOK);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Please enter an integer between 0 and 450."});
    EXPECT_EQ(::GetFocus(), Item(IDC_EDIT_ACCEL));
    EXPECT_EQ(Selection(IDC_EDIT_ACCEL), std::make_pair(DWORD{0}, DWORD{3}));
}

TEST_F(SmoothScrollDialog, EmptiedFieldShowsItsDefaultSelected)
{
    folder.WriteEngineFile(kStoredValues);
    ASSERT_TRUE(Open());
    SetText(IDC_EDIT_END, L"");
    EXPECT_EQ(Text(IDC_EDIT_END), L"50");
    EXPECT_EQ(Selection(IDC_EDIT_END), std::make_pair(DWORD{0}, DWORD{2}));
    EXPECT_EQ(dialog.ScrollValue(1), 50);
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(SmoothScrollDialog, TypingAboveTheMaximumBringsBackTheLastAcceptedValue)
{
    ASSERT_TRUE(Open());
    Type(IDC_EDIT_FOREPART, L"100");
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(dialog.ScrollValue(0), 100);
    // The fourth digit, typed after the other three.
    ::SendMessageW(Item(IDC_EDIT_FOREPART), WM_CHAR, L'0', 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Numerical value out of range!"});
    EXPECT_EQ(Text(IDC_EDIT_FOREPART), L"100");
    EXPECT_EQ(dialog.ScrollValue(0), 100);
}

TEST_F(SmoothScrollDialog, NumbersBeyondTheSignedRangeAreOutOfRangeAndBeyondUnsignedAreNoNumber)
{
    folder.WriteEngineFile(kStoredValues);
    ASSERT_TRUE(Open());
    SetText(IDC_EDIT_ACCEL, L"3000000000");
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"Numerical value out of range!"});
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"8");
    EXPECT_EQ(dialog.ScrollValue(2), 8);

    boxes.Clear();
    SetText(IDC_EDIT_STEP, L"4294967296");
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(Text(IDC_EDIT_STEP), L"140");
    EXPECT_EQ(dialog.ScrollValue(3), 140);
}

TEST_F(SmoothScrollDialog, ResetRestoresTheDefaultsAndLeavesTheSwitch)
{
    folder.WriteEngineFile(kStoredValues);
    ASSERT_TRUE(Open());
    Click(IDC_RESET_SCROLL);
    EXPECT_EQ(Text(IDC_EDIT_FOREPART), L"20");
    EXPECT_EQ(Text(IDC_EDIT_END), L"50");
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"4");
    EXPECT_EQ(Text(IDC_EDIT_STEP), L"140");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog.ScrollValue(i), browser::kScrollFields[i].defaultValue);
    EXPECT_TRUE(Checked(IDC_RADIO_SCROLL_ON));
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(SmoothScrollDialog, ArrowKeyStepsByFiveAndStopsAtTheTop)
{
    ASSERT_TRUE(Open());
    ::SendMessageW(Item(IDC_EDIT_ACCEL), WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(Item(IDC_EDIT_ACCEL), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"9");
    EXPECT_EQ(dialog.ScrollValue(2), 9);
    SetText(IDC_EDIT_ACCEL, L"448");
    ::SendMessageW(Item(IDC_EDIT_ACCEL), WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(Item(IDC_EDIT_ACCEL), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(Text(IDC_EDIT_ACCEL), L"450");
    EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
