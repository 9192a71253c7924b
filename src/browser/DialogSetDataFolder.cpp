#include "browser/DialogSetDataFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <type_traits>

#include "app/Settings.h"
#include "browser/DataFolder.h"
#include "i18n/TextTable.h"
#include "resource.h"
#include "win/Handles.h"
#include "win/MessageBox.h"
#include "win/Text.h"

namespace {

// A folder text longer than this cannot name a file below it.
constexpr size_t kMaxFolderLength = MAX_PATH - 1;

}  // namespace

const win::CommandEntry<CDialogSetDataFolder> CDialogSetDataFolder::kMessageMap[] = {
    {BN_CLICKED, IDC_DATAFOLDER_BROWSE, &CDialogSetDataFolder::OnBrowse},
    {BN_CLICKED, IDOK, &CDialogSetDataFolder::OnAccept},
};

CDialogSetDataFolder::CDialogSetDataFolder(HWND owner) : win::Dialog(IDD_SET_DATA_FOLDER, owner) {}

bool CDialogSetDataFolder::RouteCommand(UINT code, UINT id)
{
    return win::DispatchCommand(*this, kMessageMap, code, id);
}

BOOL CDialogSetDataFolder::OnInitDialog()
{
    win::Dialog::OnInitDialog();
    win::CentreOnOwner(Handle());
    workingFolder_ = settings::GetWorkingFolder();
    win::SetItemText(Handle(), IDC_DATAFOLDER_EDIT, settings::ReadDataFolder(workingFolder_));

    // The language last saved by the main dialog; a missing file gives English.
    const std::wstring language = settings::SavedLanguageFilePath(workingFolder_);
    const auto get = [&language](const text::Key& key) { return text::Get(language, key, text::kDataFolderCapacity); };
    win::SetItemText(Handle(), IDOK, get(text::kOK));
    win::SetItemText(Handle(), IDCANCEL, get(text::kCancel));
    win::SetItemText(Handle(), IDC_DATAFOLDER_PROMPT, get(text::kSpecifyDataFolder));
    win::SetItemText(Handle(), IDC_DATAFOLDER_BROWSE, get(text::kBrowse));
    browsePrompt_ = get(text::kBrowseDataFolder);
    invalidDirectory_ = get(text::kInvalidDirectory);
    incorrectFolder_ = get(text::kIncorrectFolder);
    settingsFileMissing_ = get(text::kSettingsFileMissing);

    // Typing replaces the folder shown, and Enter accepts it (OK is the default button).
    HWND field = Item(IDC_DATAFOLDER_EDIT);
    ::SetFocus(field);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    return FALSE;
}

namespace {

// Opens the folder browser at the folder it is given, once it is ready.
int CALLBACK OnBrowserEvent(HWND browser, UINT message, LPARAM /*lParam*/, LPARAM start)
{
    if (message == BFFM_INITIALIZED && start) ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

void CDialogSetDataFolder::OnBrowse()
{
    const std::wstring start = datafolder::BrowseStart(win::GetItemText(Handle(), IDC_DATAFOLDER_EDIT));
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW request{};
    request.hwndOwner = Handle();
    request.pszDisplayName = displayName;
    request.lpszTitle = browsePrompt_.c_str();
    request.lpfn = OnBrowserEvent;
    request.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    const win::ComApartment com;
    win::CoTaskMemPtr<std::remove_pointer_t<PIDLIST_ABSOLUTE>> chosen(::SHBrowseForFolderW(&request));
    if (!chosen) return;

    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(chosen.Get(), path))
        win::SetItemText(Handle(), IDC_DATAFOLDER_EDIT, path);
    else
        win::ShowMessage(Handle(), invalidDirectory_);  // a virtual folder, such as the Control Panel
}

void CDialogSetDataFolder::OnAccept()
{
    std::wstring folder = win::GetItemText(Handle(), IDC_DATAFOLDER_EDIT);
    if (folder.size() > kMaxFolderLength) folder.resize(kMaxFolderLength);

    switch (datafolder::CheckCandidate(folder)) {
    case datafolder::Candidate::Empty:
        win::ShowMessage(Handle(), incorrectFolder_);
        return;
    case datafolder::Candidate::NotDataFolder:
        win::ShowMessage(Handle(), text::Join(settingsFileMissing_, incorrectFolder_));
        return;
    case datafolder::Candidate::Valid:
        break;
    }
    settings::WriteDataFolder(workingFolder_, folder);
    acceptedFolder_ = folder;
    win::Dialog::OnOK();
}
