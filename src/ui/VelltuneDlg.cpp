#include "ui/VelltuneDlg.h"

#include <commctrl.h>

#include <memory>
#include <utility>

#include "app/Backups.h"
#include "app/SaveReport.h"
#include "app/Settings.h"
#include "browser/BackupLabel.h"
#include "browser/Layout.h"
#include "browser/Guard.h"
#include "i18n/AboutDlg.h"
#include "ini/Ini.h"
#include "profile/Merge.h"
#include "profile/ProfileFiles.h"
#include "resource.h"
#include "ui/Fields.h"
#include "ui/RestoreDlg.h"
#include "win/Files.h"
#include "win/MessageBox.h"
#include "win/StepMarks.h"
#include "win/Text.h"
#include "win/FirstUseWatch.h"

namespace {

// Tips wrap at about the width of one group box.
constexpr int kTipWidthDlu = 170;

}  // namespace

const win::CommandEntry<CVelltuneDlg> CVelltuneDlg::kMessageMap[] = {
    {CBN_SELCHANGE, IDC_ACCOUNT_LIST, &CVelltuneDlg::OnAccountSelChange},
    {BN_CLICKED, IDC_RADIO_SCROLL_ON, &CVelltuneDlg::OnSmoothScrollEnable},
    {BN_CLICKED, IDC_RADIO_SCROLL_OFF, &CVelltuneDlg::OnSmoothScrollDisable},
    {EN_CHANGE, IDC_EDIT_FOREPART, &CVelltuneDlg::OnScrollValueChange},
    {EN_CHANGE, IDC_EDIT_END, &CVelltuneDlg::OnScrollValueChange},
    {EN_CHANGE, IDC_EDIT_ACCEL, &CVelltuneDlg::OnScrollValueChange},
    {EN_CHANGE, IDC_EDIT_STEP, &CVelltuneDlg::OnScrollValueChange},
    {BN_CLICKED, IDC_RESET_SCROLL, &CVelltuneDlg::OnResetScrollValues},
    {BN_CLICKED, IDC_CHECK_ADDRESSBAR, &CVelltuneDlg::OnNewTabSwitch},
    {BN_CLICKED, IDC_CHECK_SEARCHBAR, &CVelltuneDlg::OnNewTabSwitch},
    {BN_CLICKED, IDC_CHECK_FAVORITES, &CVelltuneDlg::OnNewTabSwitch},
    {BN_CLICKED, IDC_CHECK_SETALL, &CVelltuneDlg::OnSetAllFonts},
    {EN_CHANGE, IDC_EDIT_DEFAULTSIZE, &CVelltuneDlg::OnSizeFieldChange},
    {EN_CHANGE, IDC_EDIT_FIXEDSIZE, &CVelltuneDlg::OnSizeFieldChange},
    {EN_CHANGE, IDC_EDIT_MINSIZE, &CVelltuneDlg::OnSizeFieldChange},
    {EN_CHANGE, IDC_EDIT_MINLOGICALSIZE, &CVelltuneDlg::OnSizeFieldChange},
    {BN_CLICKED, IDC_RESET_FONTS, &CVelltuneDlg::OnResetFonts},
    {CBN_SELCHANGE, IDC_FACE_SERIF, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_SANSSERIF, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_STANDARD, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_FIXED, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_CURSIVE, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_FANTASY, &CVelltuneDlg::MarkModified},
    {CBN_SELCHANGE, IDC_FACE_SETALL, &CVelltuneDlg::MarkModified},
    {CBN_DROPDOWN, IDC_FACE_SERIF, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_SANSSERIF, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_STANDARD, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_FIXED, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_CURSIVE, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_FANTASY, &CVelltuneDlg::OnFaceListDropDown},
    {CBN_DROPDOWN, IDC_FACE_SETALL, &CVelltuneDlg::OnFaceListDropDown},
    {BN_CLICKED, IDOK, &CVelltuneDlg::OnOkButton},
    {BN_CLICKED, IDC_APPLY, &CVelltuneDlg::OnApplyButton},
};

CVelltuneDlg::CVelltuneDlg(fonts::FaceEnumeration* pendingFaces, const ui::StartupFiles* startupFiles)
    : win::Dialog(IDD_VELLTUNE_DIALOG),
      pendingFaces_(pendingFaces),
      startupFiles_(startupFiles),
      icon_(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

bool CVelltuneDlg::RouteCommand(UINT code, UINT id)
{
    // Filled before the list's own handler, if any, sees it dropped.
    if (code == CBN_DROPDOWN || code == CBN_SETFOCUS) FillListOnFirstUse(id);
    return win::DispatchCommand(*this, kMessageMap, code, id);
}

BOOL CVelltuneDlg::OnInitDialog()
{
    // The numbers reach their fields once, at the end: an exchange before
    // they are loaded would only run every field's check on a 0.
    win::MarkStep(L"dialog created");
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    // Read here when the program did not read them before creating the window.
    std::unique_ptr<ui::StartupFiles> ownFiles;
    if (!startupFiles_) ownFiles = std::make_unique<ui::StartupFiles>(ui::StartupFiles::Read());
    const ui::StartupFiles& files = startupFiles_ ? *startupFiles_ : *ownFiles;
    startupFiles_ = nullptr;

    workingFolder_ = files.workingFolder;
    // Before the language: a language remembered at start stores the folder
    // with its final "\" along (datafolder::CompleteStored).
    dataFolder_ = files.dataFolder;
    // Before the language: applying one gives the tips their texts.
    tips_.Attach(Handle(), kTipWidthDlu);
    RunLanguageStartup(files);
    SetCloseCaption();
    win::MarkStep(L"language applied");

    const bool located = LocateDataFolder(files.located);
    if (!located && !ChooseDataFolder()) {
        // Without a data folder there is nothing to edit: report it and end
        // before the window is ever seen. A close request would only post the
        // Cancel command, and the dialog would be shown before it arrives;
        // ending here keeps the modal run from showing it at all.
        ShowMessage(text::Join(texts_.settingsFileMissing, texts_.reinstall));
        ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, 0);
        OnCancel();
        return TRUE;
    }

    win::MarkStep(L"data folder located");
    // A folder chosen just now has files of its own.
    const ui::DataFolderFiles chosen = located ? ui::DataFolderFiles{} : ui::DataFolderFiles::Read(dataFolder_);
    const ui::DataFolderFiles& data = located ? files.data : chosen;
    // No account is chosen at start: the list is filled when it is first used.
    accounts_ = data.accounts;
    if (accounts_.empty()) ShowMessage(texts_.getAccountFailed);
    SetSpinRangesAndLimits();
    ShowSmoothScrollSettings(data.scroll);
    win::MarkStep(L"smooth scroll loaded");
    PrepareFaceLists();
    WatchListsForFirstUse();
    win::MarkStep(L"faces taken");
    ShowPageFontSettingsAtStart(data.fonts);
    win::MarkStep(L"page fonts loaded");
    UpdateData(false);
    modified_ = false;
    TakeEngineReading(profile::FromRecords(data.scroll, data.fonts));
    following_ = true;
    win::MarkStep(L"initialisation done");
    return TRUE;
}

void CVelltuneDlg::DoDataExchange(win::DataExchange& dx)
{
    for (int i = 0; i < 4; ++i) {
        const ui::NumberField& f = ui::kScrollFieldControls[i];
        dx.Int(f.editId, scrollValues_[i], f.minValue, f.maxValue);
    }
    for (int i = 0; i < 4; ++i) {
        const ui::NumberField& f = ui::kSizeFieldControls[i];
        dx.Int(f.editId, sizeValues_[i], f.minValue, f.maxValue);
    }
}

void CVelltuneDlg::SetSpinRangesAndLimits()
{
    // The smooth-scroll spins move by 5 per step from the first moment on.
    UDACCEL accel{0, 5};
    for (const ui::NumberField& f : ui::kScrollFieldControls) {
        ::SendDlgItemMessageW(Handle(), f.spinId, UDM_SETRANGE32, f.minValue, f.maxValue);
        ::SendDlgItemMessageW(Handle(), f.spinId, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
    for (const ui::NumberField& f : ui::kSizeFieldControls)
        ::SendDlgItemMessageW(Handle(), f.spinId, UDM_SETRANGE32, f.minValue, f.maxValue);
    for (const ui::NumberField& f : ui::kSizeFieldControls)
        ::SendDlgItemMessageW(Handle(), f.editId, EM_LIMITTEXT, 2, 0);
}

void CVelltuneDlg::WatchListsForFirstUse()
{
    win::WatchFirstUse(Item(IDC_ACCOUNT_LIST));
    for (int id : ui::kFaceLists) win::WatchFirstUse(Item(id));
}

void CVelltuneDlg::FillListOnFirstUse(UINT id)
{
    // The watch ends first, so that filling costs no more than it would unwatched.
    win::EndFirstUseWatch(Item(static_cast<int>(id)));
    if (id == IDC_ACCOUNT_LIST) {
        FillAccountList();
    } else if (fonts::FaceCombo* list = FaceListOf(id)) {
        // The entries of stored faces are final only once settled.
        SettleStoredFaces();
        list->Fill();
    }
}

void CVelltuneDlg::MarkModified()
{
    if (modified_) return;
    ::EnableWindow(Item(IDC_APPLY), TRUE);
    win::SetItemText(Handle(), IDCANCEL, texts_.cancel);
    modified_ = true;
}

void CVelltuneDlg::SetCloseCaption()
{
    win::SetItemText(Handle(), IDCANCEL, texts_.close);
}

void CVelltuneDlg::ShowMessage(const std::wstring& message) const
{
    win::ShowMessage(Handle(), message);
}

BOOL CVelltuneDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnMenuCommand(wParam, lParam);
}

BOOL CVelltuneDlg::OnMenuCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == ID_MENU_ABOUT) {
        // Owned by the main dialog, which stays disabled while the box is open.
        // The language is read anew at each opening, so a switch shows there
        // from the next opening on.
        CAboutDlg about(Handle(), settings::SavedLanguageFilePath(settings::GetWorkingFolder()));
        about.DoModal();
    } else if (id == ID_MENU_SETDATAFOLDER) {
        ChooseDataFolder();
    } else if (id == ID_MENU_EXPORT) {
        OnExportSettings();
    } else if (id == ID_MENU_IMPORT) {
        OnImportSettings();
    } else if (id == ID_MENU_RESTORE) {
        OnRestoreCommand();
    } else if (id == ID_MENU_EXIT) {
        OnCancel();
    }
    OnLanguageCommand(id);
    return win::Dialog::OnCommand(wParam, lParam);
}

bool CVelltuneDlg::SaveAll()
{
    if (browser::IsBrowserRunning() == 1) {
        ShowMessage(texts_.nv3Running);
        return false;
    }
    SettleStoredFaces();
    const std::optional<fonts::PageFontSettings> shownFonts = ShownFonts();
    if (!shownFonts) {
        ShowMessage(texts_.selectSetAllFont);
        return false;
    }
    // A face the engine file cannot hold would be written as question marks.
    const std::wstring engineFile = browser::EngineSettingsPath(dataFolder_);
    for (const std::wstring& face : shownFonts->faces) {
        if (ini::CanHold(engineFile, face)) continue;
        ShowMessage(win::FormatPlaceholders(texts_.faceNotSaved, {face, engineFile}));
        return false;
    }
    // No following of the files halfway through: a message box of the save
    // gives the window back its activation.
    const bool wasBusy = std::exchange(busy_, true);
    profile::Profile engineWritten;
    std::optional<profile::Profile> accountWritten;
    safesave::SaveFailure failure;
    bool saved = false;
    {
        safesave::SaveTransaction save(dataFolder_, backups::BackupRoot(workingFolder_));
        saved = SaveEngineSettings(save, engineWritten) && SaveNewTabSettings(save, accountWritten) && save.Commit();
        if (!saved) failure = save.Failed(engineFile);
    }
    // The data folder is free again before anything waits on the user.
    if (!saved) {
        // Not saved: every account's switches stay pending for the next try.
        ShowSaveFailed(failure);
        busy_ = wasBusy;
        return false;
    }
    pendingSwitches_.Clear();
    // Readings of accounts no longer shown are taken afresh when one is chosen.
    for (auto it = accountReadings_.begin(); it != accountReadings_.end();)
        it = it->first == currentAccount_ ? std::next(it) : accountReadings_.erase(it);
    // What this save wrote, not the files read again: another save may have
    // landed since, and the next activation shows it.
    const bool wasModified = std::exchange(modified_, true);
    ShowSetAllFaceInRoleLists(profile::FontRecord(engineWritten));
    FollowFile(engineReading_, engineWritten, profile::EngineKeys, true);
    const auto account = accountReadings_.find(currentAccount_);
    if (accountWritten && account != accountReadings_.end())
        FollowFile(account->second, *accountWritten, profile::NewTabKeys, true);
    modified_ = wasModified;
    busy_ = wasBusy;
    return true;
}

bool CVelltuneDlg::SaveEngineSettings(safesave::SaveTransaction& save, profile::Profile& written)
{
    const std::wstring copy = save.Prepare(browser::EngineSettingsPath(dataFolder_));
    if (copy.empty()) return false;
    // The copy is the file as it stands now that no other save runs.
    const profile::Profile shown = profile::EngineKeys(ShownProfile());
    const profile::Profile changes =
        profile::FileChanges(shown, engineReading_, profile::FromEngineFile(copy), SetAllOn());
    const profile::Profile merged = profile::Overlaid(shown, changes);
    if (!profile::ScrollRecord(merged).Save(copy) || !profile::FontRecord(merged).Save(copy)) return false;
    written = profile::FromEngineFile(copy);
    return true;
}

void CVelltuneDlg::TakeEngineReading(profile::Profile read)
{
    engineReading_.read = std::move(read);
    engineReading_.shownAtRead = profile::EngineKeys(ShownProfile());
}

void CVelltuneDlg::FollowFiles()
{
    if (!following_ || busy_) return;
    // A message box raised by a value shown gives the window its activation
    // back: that is no new reason to follow the files.
    busy_ = true;
    // What the files hold is no change of the user's.
    const bool wasModified = std::exchange(modified_, true);
    // A file that cannot be read at this moment leaves the window as it is.
    const std::wstring engineFile = browser::EngineSettingsPath(dataFolder_);
    if (win::CanReadFile(engineFile))
        FollowFile(engineReading_, profile::FromEngineFile(engineFile), profile::EngineKeys, false);
    const auto account = accountReadings_.find(currentAccount_);
    const std::wstring config = browser::AccountConfigPath(dataFolder_, currentAccount_);
    if (!currentAccount_.empty() && account != accountReadings_.end() && win::CanReadFile(config))
        FollowFile(account->second, profile::FromConfigFile(config), profile::NewTabKeys, false);
    modified_ = wasModified;
    busy_ = false;
}

void CVelltuneDlg::FollowFile(profile::Reading& reading, const profile::Profile& current,
                              profile::Profile (*part)(profile::Profile), bool saved)
{
    const profile::Profile shown = part(ShownProfile());
    const profile::Profile changes = profile::FileChanges(shown, reading, current, SetAllOn());
    if (changes.HasEngineKeys() || changes.HasNewTab()) ShowProfile(changes, Source::File);
    // After a save nothing shown is the user's change any more.
    const profile::Changed user = saved ? profile::Changed{} : profile::UserChanged(shown, reading, SetAllOn());
    reading = profile::Followed(reading, user, current, part(ShownProfile()));
}

void CVelltuneDlg::ShowSaveFailed(const safesave::SaveFailure& failure) const
{
    std::wstring message;
    for (const std::wstring& line : safesave::FailureLines(texts_, failure, dataFolder_, {texts_.saveFailed}))
        message += (message.empty() ? L"" : L"\n") + line;
    ShowMessage(message);
}

std::wstring CVelltuneDlg::LanguageFile() const
{
    const bool listed = currentLanguage_ >= 0 && static_cast<size_t>(currentLanguage_) < languages_.size();
    return settings::LanguageFilePath(workingFolder_, listed ? languages_[currentLanguage_] : text::kEnglishFile);
}

void CVelltuneDlg::OnRestoreCommand()
{
    const std::wstring root = backups::BackupRoot(workingFolder_);
    const std::vector<backups::Backup> found = backups::List(root);
    const std::wstring languageFile = LanguageFile();
    const std::wstring configOfAccount = text::Get(languageFile, text::kConfigOfAccount);
    std::vector<std::wstring> lines;
    for (const backups::Backup& backup : found) lines.push_back(browser::BackupLine(backup, configOfAccount));

    CRestoreDlg dialog(Handle(), languageFile, std::move(lines));
    if (dialog.DoModal() != IDOK || dialog.Chosen() < 0) return;
    // Putting a backup back is a save like any other, with the same guard.
    if (browser::IsBrowserRunning() == 1) {
        ShowMessage(texts_.nv3Running);
        return;
    }
    safesave::SaveFailure failure;
    if (!backups::Restore(dataFolder_, root, found[static_cast<size_t>(dialog.Chosen())], failure)) {
        ShowSaveFailed(failure);
        // Some files may be back as they were: the window shows what the files hold.
        if (failure.outcome.Partial()) ReloadAll();
        return;
    }
    ReloadAll();
}

void CVelltuneDlg::ReloadAll()
{
    // As at start: the loads and the exchange count as no change.
    modified_ = true;
    pendingSwitches_.Clear();
    accountReadings_.clear();
    LoadSmoothScrollSettings();
    if (!currentAccount_.empty()) LoadNewTabSettings(browser::AccountConfigPath(dataFolder_, currentAccount_));
    LoadPageFontSettings();
    UpdateData(false);
    TakeEngineReading(profile::FromEngineFile(browser::EngineSettingsPath(dataFolder_)));
    MarkSaved();
}

void CVelltuneDlg::OnOkButton()
{
    if (modified_ && !SaveAll()) return;
    OnOK();
}

void CVelltuneDlg::OnApplyButton()
{
    if (SaveAll()) MarkSaved();
}

void CVelltuneDlg::MarkSaved()
{
    HWND apply = Item(IDC_APPLY);
    // A disabled button cannot keep the keyboard focus; hand it on to OK.
    if (::GetFocus() == apply) ::SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    ::EnableWindow(apply, FALSE);
    SetCloseCaption();
    modified_ = false;
}

bool CVelltuneDlg::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    // Back from another program, which may have changed the files; the first
    // activation, before the first paint, comes right after they were read.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && painted_) {
        FollowFiles();
        return false;
    }
    if (message == win::kFirstUse) {
        FillListOnFirstUse(static_cast<UINT>(wParam));
        result = 0;
        return true;
    }
    if (message == win::kOutsideUse) {
        // Another program reads or drives a face list: it finds what the user will see.
        if (FaceListOf(static_cast<UINT>(wParam))) SettleStoredFaces();
        result = 0;
        return true;
    }
    if (message == WM_TIMER && wParam == kOtherNamesTimer) {
        ::KillTimer(Handle(), kOtherNamesTimer);
        StartReadingOtherNames();
        result = 0;
        return true;
    }
    if (message == kOtherNamesRead) {
        SettleStoredFaces();
        result = 0;
        return true;
    }
    if (message == WM_TIMER && tips_.OnTimer(wParam)) {
        result = 0;
        return true;
    }
    if (message == WM_SETCURSOR) {
        tips_.RelayMouse(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
        return false;  // the cursor itself is set as usual
    }
    if (message == WM_DRAWITEM && lParam && DrawFaceListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        result = TRUE;
        return true;
    }
    if (message == WM_PAINT && !painted_) {
        painted_ = true;
        win::MarkStep(L"first paint");
        // Not before: under Wine the first paint can come after a timer set
        // at start, and a worker opening fonts would hold it up.
        if (OtherNamesAwaited()) ::SetTimer(Handle(), kOtherNamesTimer, USER_TIMER_MINIMUM, nullptr);
    }
    if (message == WM_PAINT && ::IsIconic(Handle())) {
        OnPaintMinimized();
        result = 0;
        return true;
    }
    if (message == WM_QUERYDRAGICON) {
        result = reinterpret_cast<INT_PTR>(icon_);
        return true;
    }
    return false;
}

void CVelltuneDlg::OnPaintMinimized()
{
    win::PaintDC dc(Handle());
    ::SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, icon_);
}
