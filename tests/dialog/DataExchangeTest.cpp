// The framework's data exchange on a real dialog template.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "resource.h"
#include "win/Dialog.h"
#include "win/Text.h"

using namespace velltune::test;

namespace {

class ExchangeDialog : public win::Dialog {
public:
    ExchangeDialog() : win::Dialog(IDD_VELLTUNE_DIALOG) {}
    int accel = 0;
    int step = 0;
    int changes[2] = {0, 0};

protected:
    BOOL OnInitDialog() override { return TRUE; }
    bool RouteCommand(UINT code, UINT id) override
    {
        if (code == EN_CHANGE && id == IDC_EDIT_ACCEL) ++changes[0];
        if (code == EN_CHANGE && id == IDC_EDIT_STEP) ++changes[1];
        return false;
    }
    void DoDataExchange(win::DataExchange& dx) override
    {
        dx.Int(IDC_EDIT_ACCEL, accel, 0, 450);
        dx.Int(IDC_EDIT_STEP, step, 0, 300);
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(dialog.CreateModeless());
        ::ShowWindow(dialog.Handle(), SW_SHOW);
    }
    void Click(int id)
    {
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(id)));
    }
    ExchangeDialog dialog;
};

TEST_F(DataExchangeTest, TowardsTheControlsLeavesMatchingEditsAlone)
{
    dialog.accel = 4;
    dialog.step = 140;
    dialog.UpdateData(false);
    EXPECT_EQ(win::GetItemText(dialog.Handle(), IDC_EDIT_ACCEL), L"4");
    EXPECT_EQ(win::GetItemText(dialog.Handle(), IDC_EDIT_STEP), L"140");
    EXPECT_EQ(dialog.changes[0], 1);

    dialog.step = 141;
    dialog.UpdateData(false);
    EXPECT_EQ(dialog.changes[0], 1) << "an edit that already shows its value must not be set again";
    EXPECT_EQ(dialog.changes[1], 2);
}

TEST_F(DataExchangeTest, OkStopsAtTheFirstEditOutOfRangeWithFocusAndSelection)
{
    MessageBoxWatcher boxes;
    win::SetItemText(dialog.Handle(), IDC_EDIT_ACCEL, L"500");
    win::SetItemText(dialog.Handle(), IDC_EDIT_STEP, L"999");
    Click(IDOK);

    EXPECT_FALSE(dialog.HasEnded());
    ASSERT_EQ(boxes.Texts().size(), 1u) << "the exchange must stop at the first failing edit";
    EXPECT_EQ(boxes.Texts()[0], L"Please enter an integer between 0 and 450.");
    EXPECT_EQ(boxes.Boxes()[0].owner, dialog.Handle());
    EXPECT_EQ(::GetFocus(), dialog.Item(IDC_EDIT_ACCEL));
    DWORD start = 1, end = 0;
    ::SendMessageW(dialog.Item(IDC_EDIT_ACCEL), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST_F(DataExchangeTest, MessagesFollowTheDialogsTextsAndPlaceholderOrder)
{
    MessageBoxWatcher boxes;
    dialog.SetValidationTexts(L"Ganzzahl!", L"Zwischen %2 (oben) und %1 (unten)");
    win::SetItemText(dialog.Handle(), IDC_EDIT_ACCEL, L"12abc");
    Click(IDOK);
    win::SetItemText(dialog.Handle(), IDC_EDIT_ACCEL, L"7");
    win::SetItemText(dialog.Handle(), IDC_EDIT_STEP, L"-1");
    Click(IDOK);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::wstring>{L"Ganzzahl!", L"Zwischen 300 (oben) und 0 (unten)"}));
    EXPECT_FALSE(dialog.HasEnded());
}

TEST_F(DataExchangeTest, OkWithValidValuesStoresThemAndEnds)
{
    win::SetItemText(dialog.Handle(), IDC_EDIT_ACCEL, L" 450 ");
    win::SetItemText(dialog.Handle(), IDC_EDIT_STEP, L"0");
    Click(IDOK);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.accel, 450);
    EXPECT_EQ(dialog.step, 0);
}

TEST(ParseWholeInt, AcceptsOnlyAWholeSignedInteger)
{
    int v = 0;
    EXPECT_TRUE(win::ParseWholeInt(L"-5", v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(win::ParseWholeInt(L"2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(win::ParseWholeInt(L"-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
    for (const wchar_t* bad : {L"", L" ", L"-", L"12abc", L"1 2", L"2147483648", L"99999999999999999999", L"0x10"})
        EXPECT_FALSE(win::ParseWholeInt(bad, v)) << bad;
}

}  // namespace
