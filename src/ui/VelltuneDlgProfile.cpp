// Export and import of settings profiles in the main dialog. An import only
// sets the controls: the browser's files are written by Apply or OK, as with
// any change made by hand.
#include "profile/Profile.h"
#include "resource.h"
#include "ui/Fields.h"
#include "ui/VelltuneDlg.h"
#include "win/FileDialog.h"
#include "win/Text.h"

profile::Profile CVelltuneDlg::ShownProfile() const
{
    profile::Profile p;
    p.smoothScroll = ::IsDlgButtonChecked(Handle(), IDC_RADIO_SCROLL_ON) == BST_CHECKED;
    for (int i = 0; i < 4; ++i) p.scroll[i] = scrollValues_[i];
    // Set-all without a face has no faces to give; the sizes go all the same.
    if (const std::optional<fonts::PageFontSettings> fontRecord = ShownFonts())
        for (int role = 0; role < fonts::kFaceRoleCount; ++role) p.faces[role] = fontRecord->faces[role];
    for (int i = 0; i < 4; ++i) p.sizes[i] = sizeValues_[i];
    if (!currentAccount_.empty())
        for (int i = 0; i < 3; ++i) p.newTab[i] = ::IsDlgButtonChecked(Handle(), ui::kNewTabBoxes[i]) == BST_CHECKED;
    return p;
}

void CVelltuneDlg::ShowProfile(const profile::Profile& p, Source source)
{
    if (p.smoothScroll) {
        ::CheckRadioButton(Handle(), IDC_RADIO_SCROLL_ON, IDC_RADIO_SCROLL_OFF,
                           *p.smoothScroll ? IDC_RADIO_SCROLL_ON : IDC_RADIO_SCROLL_OFF);
        EnableSmoothScrollControls(*p.smoothScroll);
    }
    for (int i = 0; i < 4; ++i)
        if (p.scroll[i]) scrollValues_[i] = *p.scroll[i];
    for (int i = 0; i < 4; ++i)
        if (p.sizes[i]) sizeValues_[i] = *p.sizes[i];
    ShowFaces(p.faces);
    // The switches belong to an account: without one chosen they have nowhere to go.
    if (!currentAccount_.empty() && p.HasNewTab()) {
        for (int i = 0; i < 3; ++i)
            if (p.newTab[i]) ::CheckDlgButton(Handle(), ui::kNewTabBoxes[i], *p.newTab[i] ? BST_CHECKED : BST_UNCHECKED);
        // Kept for the account as a change by hand is, until it is saved;
        // switches already pending follow what is shown.
        if (source == Source::User || pendingSwitches_.Find(currentAccount_)) KeepShownSwitches();
    }
    UpdateData(false);
    if (source == Source::User) MarkModified();
}

void CVelltuneDlg::OnExportSettings()
{
    std::wstring path;
    if (!win::ChooseFileToSave(Handle(), {texts_.profileFilter, L"*.ini", texts_.allFilesFilter}, path)) return;
    SettleStoredFaces();
    if (!profile::Write(path, ShownProfile())) ShowMessage(win::FormatPlaceholders(texts_.writeFailed, {path}));
}

void CVelltuneDlg::OnImportSettings()
{
    std::wstring path;
    if (!win::ChooseFileToOpen(Handle(), {texts_.profileFilter, L"*.ini", texts_.allFilesFilter}, path)) return;
    profile::Profile p;
    profile::BadValue bad;
    switch (profile::Read(path, p, bad)) {
    case profile::ReadResult::Read:
        ShowProfile(p);
        return;
    case profile::ReadResult::Unreadable:
        ShowMessage(win::FormatPlaceholders(texts_.profileUnreadable, {path}));
        return;
    case profile::ReadResult::NoSettings:
        ShowMessage(win::FormatPlaceholders(texts_.profileEmpty, {path}));
        return;
    case profile::ReadResult::Invalid:
        ShowMessage(win::FormatPlaceholders(texts_.profileInvalid, {path, bad.section, bad.key, profile::Shortened(bad.value)}));
        return;
    }
}
