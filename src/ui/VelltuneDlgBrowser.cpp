// Data folder, accounts, smooth-scroll and new-tab settings of the main dialog.
#include <windows.h>
#include <shlwapi.h>

#include "app/FolderLock.h"
#include "browser/DataFolder.h"
#include "browser/DialogSetDataFolder.h"
#include "browser/Layout.h"
#include "browser/SmoothScrollSettings.h"
#include "fonts/FitCombo.h"
#include "profile/Merge.h"
#include "profile/ProfileFiles.h"
#include "resource.h"
#include "ui/Fields.h"
#include "ui/VelltuneDlg.h"
#include "win/Files.h"
#include "win/MessageBox.h"
#include "win/Text.h"

bool CVelltuneDlg::LocateDataFolder(datafolder::Located located)
{
    switch (located) {
    case datafolder::Located::Stored:
    case datafolder::Located::Default:
        return true;
    case datafolder::Located::NotFound:
        return false;
    case datafolder::Located::NoAppData:
        break;
    }
    // A fixed text: the shell failing says nothing a translation could help with.
    win::ShowMessage(Handle(), L"SHGetFolderPath failed", L"Error");
    return false;
}

bool CVelltuneDlg::ChooseDataFolder()
{
    CDialogSetDataFolder dialog(Handle());
    if (dialog.DoModal() != IDOK) return false;
    // The folder the dialog tested, not a re-read of Settings.ini: when that
    // file cannot be written, re-reading would bring back the old folder.
    dataFolder_ = dialog.AcceptedFolder();
    // Nothing read of the other folder says what this one holds: every value
    // shown is the user's until a save or Restore.
    engineReading_ = {};
    accountReadings_.clear();
    return true;
}

void CVelltuneDlg::FillAccountList()
{
    if (accountsFilled_) return;
    accountsFilled_ = true;
    HWND list = Item(IDC_ACCOUNT_LIST);
    for (const std::wstring& account : accounts_)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(account.c_str()));
    // The list holds exactly these names: measuring them as texts fits it as
    // FitComboToItems would, without reading each entry back from the list.
    fonts::FitCombosToTexts(std::span<const HWND>(&list, 1), accounts_);
}

void CVelltuneDlg::OnAccountSelChange()
{
    HWND list = Item(IDC_ACCOUNT_LIST);
    const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return;
    std::wstring name(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, selected, 0)) + 1, L'\0');
    name.resize(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name.data()))));
    currentAccount_ = name;

    const std::wstring config = browser::AccountConfigPath(dataFolder_, currentAccount_);
    if (::PathFileExistsW(config.c_str())) {
        // Switches changed earlier in this window and not yet saved win over the file.
        if (const std::optional<browser::NewTabSettings> pending = pendingSwitches_.Find(currentAccount_))
            ShowNewTabSwitches(*pending);
        else
            LoadNewTabSettings(config);
        return;
    }
    ShowMessage(texts_.userConfigFileMissing);
    // The boxes keep their ticks but no longer belong to any account.
    for (int id : ui::kNewTabBoxes) ::EnableWindow(Item(id), FALSE);
    currentAccount_.clear();
}

void CVelltuneDlg::LoadSmoothScrollSettings()
{
    ShowSmoothScrollSettings(ui::DataFolderFiles::ReadScroll(dataFolder_));
}

void CVelltuneDlg::ShowSmoothScrollSettings(const browser::SmoothScrollSettings& settings)
{
    ::CheckRadioButton(Handle(), IDC_RADIO_SCROLL_ON, IDC_RADIO_SCROLL_OFF,
                       settings.enabled ? IDC_RADIO_SCROLL_ON : IDC_RADIO_SCROLL_OFF);
    EnableSmoothScrollControls(settings.enabled);
    for (int i = 0; i < 4; ++i) scrollValues_[i] = settings.values[i];
}

void CVelltuneDlg::LoadNewTabSettings(const std::wstring& configPath)
{
    safesave::RemoveStaleCopies(dataFolder_, configPath);
    // Showing what the file holds changes nothing: Apply stays as it was.
    const browser::NewTabSettings switches = browser::NewTabSettings::Load(configPath);
    ShowNewTabSwitches(switches);
    const profile::Profile read = profile::FromRecord(switches);
    accountReadings_[currentAccount_] = {read, read};
}

void CVelltuneDlg::ShowNewTabSwitches(const browser::NewTabSettings& switches)
{
    const bool ticks[3] = {switches.addressBar, switches.searchBar, switches.favorite};
    for (int i = 0; i < 3; ++i) {
        ::CheckDlgButton(Handle(), ui::kNewTabBoxes[i], ticks[i] ? BST_CHECKED : BST_UNCHECKED);
        ::EnableWindow(Item(ui::kNewTabBoxes[i]), TRUE);
    }
}

void CVelltuneDlg::KeepShownSwitches()
{
    if (currentAccount_.empty()) return;
    const auto ticked = [this](int id) { return ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED; };
    browser::NewTabSettings switches;
    switches.addressBar = ticked(IDC_CHECK_ADDRESSBAR);
    switches.searchBar = ticked(IDC_CHECK_SEARCHBAR);
    switches.favorite = ticked(IDC_CHECK_FAVORITES);
    pendingSwitches_.Keep(currentAccount_, switches);
}

void CVelltuneDlg::OnNewTabSwitch()
{
    KeepShownSwitches();
    MarkModified();
}

bool CVelltuneDlg::SaveNewTabSettings(safesave::SaveTransaction& save, std::optional<profile::Profile>& written)
{
    // Every account the user changed, into the copies of this one save; a
    // switch the user left as read keeps what the file holds now.
    const auto merged = [&](const std::wstring& account, const browser::NewTabSettings& switches,
                            const std::wstring& copy) {
        const profile::Profile shown = profile::FromRecord(switches);
        const auto reading = accountReadings_.find(account);
        if (reading == accountReadings_.end()) return switches;
        const profile::Profile changes = profile::FileChanges(shown, reading->second, profile::FromConfigFile(copy), false);
        return profile::NewTabRecord(profile::Overlaid(shown, changes));
    };
    const auto copyOf = [&save](const std::wstring& config) { return save.Prepare(config); };
    if (!pendingSwitches_.Write(dataFolder_, copyOf, merged)) return false;
    if (!currentAccount_.empty() && pendingSwitches_.Find(currentAccount_))
        written = profile::FromConfigFile(copyOf(browser::AccountConfigPath(dataFolder_, currentAccount_)));
    return true;
}

void CVelltuneDlg::EnableSmoothScrollControls(bool enable)
{
    for (const ui::NumberField& f : ui::kScrollFieldControls) ::EnableWindow(Item(f.editId), enable);
    for (const ui::NumberField& f : ui::kScrollFieldControls) ::EnableWindow(Item(f.spinId), enable);
    ::EnableWindow(Item(IDC_RESET_SCROLL), enable);
}

void CVelltuneDlg::OnSmoothScrollEnable()
{
    EnableSmoothScrollControls(true);
    MarkModified();
}

void CVelltuneDlg::OnSmoothScrollDisable()
{
    EnableSmoothScrollControls(false);
    MarkModified();
}

void CVelltuneDlg::OnScrollValueChange(UINT editId)
{
    const int index = ui::FieldIndex(ui::kScrollFieldControls, static_cast<int>(editId));
    if (index < 0) return;
    const ui::NumberField& field = ui::kScrollFieldControls[index];

    const browser::FieldDecision decision = browser::CheckScrollField(win::GetItemText(Handle(), field.editId), field.maxValue);
    switch (decision.action) {
    case browser::FieldAction::OutOfRange:
        ShowMessage(texts_.valueOutOfRange);
        // Puts the last accepted value back; its own check then accepts it.
        UpdateData(false);
        break;
    case browser::FieldAction::ReplaceByDefault: {
        // Setting the text runs this check again at once, which accepts the default.
        win::SetItemText(Handle(), field.editId, win::FormatInt(field.fallback));
        HWND edit = Item(field.editId);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
        break;
    }
    case browser::FieldAction::Accept:
        scrollValues_[index] = static_cast<int>(decision.value);
        MarkModified();
        break;
    }
}

void CVelltuneDlg::OnResetScrollValues()
{
    for (int i = 0; i < 4; ++i) scrollValues_[i] = browser::kScrollFields[i].defaultValue;
    UpdateData(false);
    MarkModified();
}
