// The real main dialog created in this process on a working folder of its
// own, with every message box answered and recorded, and small helpers that
// act on its controls as the user would.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"
#include "win/Text.h"

namespace velltune::test {

class MainDialogHarness : public ::testing::Test {
protected:
    explicit MainDialogHarness(WorkingFolderFixture::Accounts accounts = WorkingFolderFixture::Accounts::One)
        : folder(accounts)
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }

    HWND Open()
    {
        HWND hwnd = dialog.CreateModeless();
        if (hwnd && !dialog.HasEnded()) ::ShowWindow(hwnd, SW_SHOW);
        return hwnd;
    }

    HWND Item(int id) { return dialog.Item(id); }
    std::wstring Text(int id) { return win::GetItemText(dialog.Handle(), id); }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) { return ::IsDlgButtonChecked(dialog.Handle(), id) == BST_CHECKED; }

    // A real click: automatic radios and check boxes change their state, and
    // a disabled button does nothing.
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // Sets an edit's text as a paste would; the edit reports the change itself.
    void SetText(int id, const std::wstring& text) { ::SetWindowTextW(Item(id), text.c_str()); }
    // Replaces the edit's text by typing, one character at a time.
    void Type(int id, const std::wstring& characters)
    {
        ::SendMessageW(Item(id), EM_SETSEL, 0, -1);
        for (wchar_t c : characters) ::SendMessageW(Item(id), WM_CHAR, c, 0);
    }
    // Drops a list down and closes it, as a user opening it to look.
    void DropDown(int id)
    {
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageW(Item(id), CB_SHOWDROPDOWN, FALSE, 0);
    }
    bool SelectAccount(const std::wstring& name)
    {
        DropDown(IDC_ACCOUNT_LIST);
        HWND list = Item(IDC_ACCOUNT_LIST);
        const LRESULT index = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name.c_str()));
        if (index == CB_ERR) return false;
        ::SendMessageW(list, CB_SETCURSEL, index, 0);
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_ACCOUNT_LIST, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        return true;
    }
    // The edit's selection as (start, end).
    std::pair<DWORD, DWORD> Selection(int id)
    {
        DWORD start = 0, end = 0;
        ::SendMessageW(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    std::string EngineBytes() { return ReadFileBytes(folder.EngineFile()); }
    // The lines of one section of the engine file, header included; saves of
    // other groups may add their own sections around it.
    std::string EngineSection(const std::string& name)
    {
        const std::string bytes = EngineBytes();
        const size_t start = bytes.find("[" + name + "]\r\n");
        if (start == std::string::npos) return {};
        const size_t end = bytes.find("\r\n[", start);
        return bytes.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
    }

    WorkingFolderFixture folder;
    MessageBoxWatcher boxes;
    CVelltuneDlg dialog;
};

}  // namespace velltune::test
