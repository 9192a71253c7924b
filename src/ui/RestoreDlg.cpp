#include "ui/RestoreDlg.h"

#include "i18n/TextTable.h"
#include "resource.h"
#include "win/Text.h"

CRestoreDlg::CRestoreDlg(HWND owner, std::wstring languageFile, std::vector<std::wstring> lines)
    : win::Dialog(IDD_RESTORE, owner), languageFile_(std::move(languageFile)), lines_(std::move(lines))
{
}

BOOL CRestoreDlg::OnInitDialog()
{
    win::Dialog::OnInitDialog();
    ::SetWindowTextW(Handle(), text::Get(languageFile_, text::kRestoreCaption).c_str());
    win::SetItemText(Handle(), IDOK, text::Get(languageFile_, text::kOK));
    win::SetItemText(Handle(), IDCANCEL, text::Get(languageFile_, text::kCancel));

    HWND list = Item(IDC_RESTORE_LIST);
    for (const std::wstring& line : lines_)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    // The newest is the likeliest choice; with none there is nothing to choose.
    if (lines_.empty())
        ::EnableWindow(Item(IDOK), FALSE);
    else
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    return TRUE;
}

bool CRestoreDlg::RouteCommand(UINT code, UINT id)
{
    if (id != IDC_RESTORE_LIST || code != LBN_DBLCLK) return false;
    OnOK();
    return true;
}

void CRestoreDlg::OnOK()
{
    const LRESULT selected = ::SendDlgItemMessageW(Handle(), IDC_RESTORE_LIST, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected >= static_cast<LRESULT>(lines_.size())) return;
    chosen_ = static_cast<int>(selected);
    win::Dialog::OnOK();
}
