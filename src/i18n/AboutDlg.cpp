#include "i18n/AboutDlg.h"

#include "app/Settings.h"
#include "i18n/TextTable.h"
#include "resource.h"
#include "win/Text.h"

namespace {

// Fixed parts: no language file changes them.
constexpr wchar_t kVersionSuffix[] = L" 0.4";
constexpr wchar_t kTitleSuffix[] = L" Velltune";
constexpr wchar_t kAuthorCredit[] = L"the Velltune developers";
constexpr wchar_t kThanksCredit[] = L"everyone who translated Velltune";

}  // namespace

CAboutDlg::CAboutDlg(HWND owner) : win::Dialog(IDD_ABOUTBOX, owner) {}

BOOL CAboutDlg::OnInitDialog()
{
    win::Dialog::OnInitDialog();

    // Read anew at each opening, so a language switch in the main dialog shows
    // here from the next opening on. The file's existence is not tested: a
    // missing one simply gives the English texts.
    const std::wstring path = settings::SavedLanguageFilePath(settings::GetWorkingFolder());

    win::SetItemText(Handle(), IDOK, text::Get(path, text::kOK));
    ::SetWindowTextW(Handle(), (text::Get(path, text::kAbout) + kTitleSuffix).c_str());
    win::SetItemText(Handle(), IDC_ABOUT_VERSION, text::Get(path, text::kVersion) + kVersionSuffix);
    win::SetItemText(Handle(), IDC_ABOUT_AUTHOR, text::Get(path, text::kAuthor) + L" " + kAuthorCredit);
    win::SetItemText(Handle(), IDC_ABOUT_THANKS, text::Get(path, text::kThanks) + L" " + kThanksCredit);
    win::SetItemText(Handle(), IDC_ABOUT_TRANSLATION, text::Get(path, text::kTranslation));
    return TRUE;
}
