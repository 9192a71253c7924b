// The main dialog's window and change tracking.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"
#include "win/Text.h"

using namespace velltune::test;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    HWND Open()
    {
        HWND hwnd = dialog.CreateModeless();
        if (hwnd) ::ShowWindow(hwnd, SW_SHOW);
        return hwnd;
    }
    std::wstring Text(int id) { return win::GetItemText(dialog.Handle(), id); }
    bool Enabled(int id) { return ::IsWindowEnabled(dialog.Item(id)) != FALSE; }

    WorkingFolderFixture folder;
    MessageBoxWatcher boxes;
    CVelltuneDlg dialog;
};

TEST_F(MainWindowTest, OpensCleanWithApplyDisabledAndClose)
{
    ASSERT_TRUE(Open());
    EXPECT_FALSE(dialog.IsModified());
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(Text(IDCANCEL), L"Close");
    EXPECT_EQ(Text(IDOK), L"OK");
    wchar_t title[64];
    ::GetWindowTextW(dialog.Handle(), title, 64);
    EXPECT_STREQ(title, L"Velltune v0.4");
    EXPECT_TRUE(boxes.Texts().empty());
    // The new-tab boxes wait for an account, the set-all list for its check box.
    EXPECT_FALSE(Enabled(IDC_CHECK_ADDRESSBAR));
    EXPECT_FALSE(Enabled(IDC_FACE_SETALL));
}

TEST_F(MainWindowTest, MarkModifiedEnablesApplyOnce)
{
    ASSERT_TRUE(Open());
    dialog.MarkModified();
    EXPECT_TRUE(dialog.IsModified());
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(Text(IDCANCEL), L"Cancel");

    // A second call changes nothing, even after the caption was altered.
    win::SetItemText(dialog.Handle(), IDCANCEL, L"marker");
    dialog.MarkModified();
    EXPECT_EQ(Text(IDCANCEL), L"marker");
    EXPECT_TRUE(Enabled(IDC_APPLY));
}

TEST_F(MainWindowTest, CheckBoxClickMarksModifiedAndCloseEndsWithoutSaving)
{
    ASSERT_TRUE(Open());
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_CHECK_SEARCHBAR, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dialog.Item(IDC_CHECK_SEARCHBAR)));
    EXPECT_TRUE(dialog.IsModified());
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(MainWindowTest, LimitsAndDragIcon)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(::SendMessageW(dialog.Item(IDC_EDIT_DEFAULTSIZE), EM_GETLIMITTEXT, 0, 0), 2);
    int low = -1, high = -1;
    ::SendMessageW(dialog.Item(IDC_SPIN_ACCEL), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                   reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 450);
    ::SendMessageW(dialog.Item(IDC_SPIN_MINSIZE), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                   reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 99);
    UDACCEL accel{};
    EXPECT_EQ(::SendMessageW(dialog.Item(IDC_SPIN_STEP), UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel)), 1);
    EXPECT_EQ(accel.nInc, 5u);

    const LRESULT icon = ::SendMessageW(dialog.Handle(), WM_QUERYDRAGICON, 0, 0);
    EXPECT_NE(icon, 0);
    EXPECT_EQ(icon, reinterpret_cast<LRESULT>(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))));
}

}  // namespace
