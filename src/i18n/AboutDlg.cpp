#include "i18n/AboutDlg.h"

#include "app/Settings.h"
#include "i18n/TextTable.h"
#include "resource.h"
#include "win/Text.h"

namespace {

// Fixed parts: no language file changes them.
constexpr wchar_t kVersionSuffix[] = L" 0.4";
constexpr wchar_t kTitleSuffix[] = L" Velltune";

}  // namespace

CAboutDlg::CAboutDlg(HWND owner) : win::Dialog(IDD_ABOUTBOX, owner) {}

BOOL CAboutDlg::OnInitDialog()
{
    win::Dialog::OnInitDialog();
    win::CentreOnOwner(Handle());

    // Read anew at each opening, so a language switch in the main dialog shows
    // here from the next opening on. The file's existence is not tested: a
    // missing one simply gives the English texts.
    const std::wstring path = settings::SavedLanguageFilePath(settings::GetWorkingFolder());

    win::SetItemText(Handle(), IDOK, text::Get(path, text::kOK));
    // The menu item's text names the box; its access key has no place in a title.
    ::SetWindowTextW(Handle(), (text::WithoutAccessKey(text::Get(path, text::kAbout)) + kTitleSuffix).c_str());
    win::SetItemText(Handle(), IDC_ABOUT_VERSION, text::Get(path, text::kVersion) + kVersionSuffix);
    win::SetItemText(Handle(), IDC_ABOUT_AUTHOR, text::Get(path, text::kAuthor) + L" " + text::Get(path, text::kDevelopers));
    win::SetItemText(Handle(), IDC_ABOUT_THANKS, text::Get(path, text::kThanks) + L" " + text::Get(path, text::kTranslators));
    win::SetItemText(Handle(), IDC_ABOUT_TRANSLATION, text::Get(path, text::kTranslation));
    return TRUE;
}
