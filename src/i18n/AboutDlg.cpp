#include "i18n/AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(HWND owner) : win::Dialog(IDD_ABOUTBOX, owner) {}

// Placeholder until the About box lands.
BOOL CAboutDlg::OnInitDialog()
{
    win::Dialog::OnInitDialog();
    return TRUE;
}
