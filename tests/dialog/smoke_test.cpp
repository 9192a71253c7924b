#include <windows.h>

#include <gtest/gtest.h>

#include "resource.h"

namespace {

INT_PTR CALLBACK IgnoreAll(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

}  // namespace

TEST(DialogSmoke, CreatesTheMainDialogFromItsTemplate)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_VELLTUNE_DIALOG), nullptr,
                                     IgnoreAll, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, L"Velltune v0.4");
    EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
    DestroyWindow(dialog);
}
