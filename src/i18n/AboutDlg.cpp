#include "i18n/AboutDlg.h"

#include <utility>

#include "i18n/TextTable.h"
#include "resource.h"
#include "win/Text.h"

namespace {

// Fixed parts: no language file changes them.
constexpr wchar_t kVersionSuffix[] = L" 0.4";
constexpr wchar_t kTitleSuffix[] = L" Velltune";

}  // namespace

CAboutDlg::CAboutDlg(HWND owner, std::wstring languageFile)
    : win::Dialog(IDD_ABOUTBOX, owner), languageFile_(std::move(languageFile))
{
}

BOOL CAboutDlg::OnInitDialog()
{
    win::Dialog::OnInitDialog();
    win::CentreOnOwner(Handle());

    const auto get = [this](const text::Key& key) { return text::Get(languageFile_, key); };
    win::SetItemText(Handle(), IDOK, get(text::kOK));
    // The menu item's text names the box; its access key has no place in a title.
    ::SetWindowTextW(Handle(), (text::WithoutAccessKey(get(text::kAbout)) + kTitleSuffix).c_str());
    win::SetItemText(Handle(), IDC_ABOUT_VERSION, get(text::kVersion) + kVersionSuffix);
    win::SetItemText(Handle(), IDC_ABOUT_AUTHOR, get(text::kAuthor) + L" " + get(text::kDevelopers));
    win::SetItemText(Handle(), IDC_ABOUT_THANKS, get(text::kThanks) + L" " + get(text::kTranslators));
    win::SetItemText(Handle(), IDC_ABOUT_TRANSLATION, get(text::kTranslation));
    return TRUE;
}
