// The program's one window: the main dialog. It holds all run-time state and
// joins the groups (data folder, languages, smooth scroll, new tab, accounts,
// page fonts) to its controls. Its member functions are defined in one file
// per group: VelltuneDlg.cpp (window, change tracking, commands, saving),
// VelltuneDlgLanguage.cpp, VelltuneDlgBrowser.cpp, VelltuneDlgFonts.cpp and
// VelltuneDlgProfile.cpp.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/SaveTransaction.h"
#include "browser/PendingSwitches.h"
#include "fonts/FaceCombo.h"
#include "fonts/FaceFontCache.h"
#include "fonts/FaceEnumeration.h"
#include "fonts/OtherNamesReading.h"
#include "fonts/PageFontSettings.h"
#include "i18n/TextTable.h"
#include "profile/Merge.h"
#include "profile/Profile.h"
#include "ui/StartupFiles.h"
#include "win/Dialog.h"
#include "win/Handles.h"
#include "win/ToolTip.h"

class CVelltuneDlg : public win::Dialog {
public:
    // Takes the faces from the enumeration and the start-up files from those
    // read when given them (not owned; they must outlive the dialog's
    // initialisation), else enumerates and reads them itself.
    explicit CVelltuneDlg(fonts::FaceEnumeration* pendingFaces = nullptr,
                          const ui::StartupFiles* startupFiles = nullptr);

    // Enables Apply and shows the Cancel text on button 2, once per change.
    void MarkModified();
    // Disables Apply and shows the Close text: the files hold what is shown.
    void MarkSaved();

    bool IsModified() const { return modified_; }
    const std::wstring& DataFolder() const { return dataFolder_; }
    const std::wstring& WorkingFolder() const { return workingFolder_; }
    const std::wstring& CurrentAccount() const { return currentAccount_; }
    int ScrollValue(int index) const { return scrollValues_[index]; }
    int SizeValue(int index) const { return sizeValues_[index]; }
    const std::vector<std::wstring>& InstalledFaces() const { return installedFaces_; }
    const std::vector<std::wstring>& Languages() const { return languages_; }
    int CurrentLanguageIndex() const { return currentLanguage_; }
    const text::StoredTexts& StoredTexts() const { return texts_; }
    // True while a stored face is shown as not installed only because the
    // other names of the installed families are not read yet.
    bool OtherNamesAwaited() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool RouteCommand(UINT code, UINT id) override;
    void DoDataExchange(win::DataExchange& dx) override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    static const win::CommandEntry<CVelltuneDlg> kMessageMap[];

    // Window, change tracking, commands and saving.
    BOOL OnMenuCommand(WPARAM wParam, LPARAM lParam);
    void OnOkButton();
    void OnApplyButton();
    // The guard, then the engine file's and every changed account's settings
    // into one transaction, then its commit; false at the first refusal, with
    // no file changed. Settings the user did not change keep what another
    // program wrote into the files meanwhile, and the window then shows it.
    // Nothing is shown while the data folder is held.
    bool SaveAll();
    // Shows what another program changed in the browser's files since the
    // window read them, for the settings the user has not changed, without
    // marking the window modified.
    void FollowFiles();
    // Remembers what the window read of the engine file and shows of it now.
    void TakeEngineReading(profile::Profile read);
    // One file's settings as they stand now (current): part picks them from
    // what is shown. After a save (saved) every setting counts as unchanged.
    void FollowFile(profile::Reading& reading, const profile::Profile& current,
                    profile::Profile (*part)(profile::Profile), bool saved);
    // Restore Earlier Settings: the chosen backup back in place, then every
    // value reloaded from the files as at start.
    void OnRestoreCommand();
    void ReloadAll();
    std::wstring LanguageFile() const;
    void SetCloseCaption();
    void SetSpinRangesAndLimits();
    // The lists get their entries when first dropped down, focused or turned
    // with the wheel: at start each shows one entry at most.
    void WatchListsForFirstUse();
    void FillListOnFirstUse(UINT id);
    void OnPaintMinimized();
    void ShowMessage(const std::wstring& text) const;
    // Why a save failed: who held the data folder, a file outside it, the
    // files saved and not saved after a partial commit, else the save-failed text.
    void ShowSaveFailed(const safesave::SaveFailure& failure) const;

    // Browser data folder.
    bool LocateDataFolder(datafolder::Located located);
    bool ChooseDataFolder();

    // Languages and the Language menu.
    void RunLanguageStartup(const ui::StartupFiles& files);
    void BuildLanguageMenu(const std::vector<std::wstring>& captions);
    // Applies the file's texts; remember writes its name into Settings.ini.
    bool ApplyLanguage(const std::wstring& fileName, bool remember = true);
    void ApplyLanguage(const std::wstring& fileName, const text::LanguageFile& file, bool remember);
    void ChooseDefaultLanguage();
    void OnLanguageCommand(UINT id);
    void CheckLanguageItem(int index, bool checked);

    // Accounts.
    void FillAccountList();
    void OnAccountSelChange();

    // Smooth scroll and new tab.
    void LoadSmoothScrollSettings();
    void ShowSmoothScrollSettings(const browser::SmoothScrollSettings& settings);
    void LoadNewTabSettings(const std::wstring& configPath);
    void ShowNewTabSwitches(const browser::NewTabSettings& switches);
    // Every account's pending switches into its copy; written is what the
    // current account's copy then holds, when it is one of them.
    bool SaveNewTabSettings(safesave::SaveTransaction& save, std::optional<profile::Profile>& written);
    void OnNewTabSwitch();
    // Keeps the ticks shown as the current account's pending switches.
    void KeepShownSwitches();
    void EnableSmoothScrollControls(bool enable);
    void OnSmoothScrollEnable();
    void OnSmoothScrollDisable();
    void OnScrollValueChange(UINT editId);
    void OnResetScrollValues();

    // Page fonts.
    // Takes the installed faces and binds the face lists to them, still empty.
    void PrepareFaceLists();
    fonts::FaceCombo* FaceListOf(UINT id);
    void LoadPageFontSettings();
    void ShowPageFontSettings(const fonts::PageFontSettings& settings);
    // As at start: a face no entry matches is shown as not installed for now,
    // and the other names are read on a worker once the window is drawn.
    void ShowPageFontSettingsAtStart(const fonts::PageFontSettings& settings);
    void StartReadingOtherNames();
    // Shows each face that waited for the other names as its family, when one
    // goes by that name (waiting for the worker, or reading them here); a face
    // installed under no name stays as it was shown. Everything that shows,
    // saves or exports faces, or fills a face list, settles them first.
    void SettleStoredFaces();
    // The timer that starts the reading of the families' other names, set at
    // the first paint: its message comes only once every paint is done, so
    // after the first frame.
    static constexpr UINT_PTR kOtherNamesTimer = 1;
    // Posted by the worker once the other names are read.
    static constexpr UINT kOtherNamesRead = WM_APP + 0x50;
    // Smooth scroll and page fonts into the engine file's copy; written is
    // what the copy then holds.
    bool SaveEngineSettings(safesave::SaveTransaction& save, profile::Profile& written);
    // After a save with set-all on, the role lists show what the file now
    // holds, so that turning set-all off later saves what the user sees.
    void ShowSetAllFaceInRoleLists(const fonts::PageFontSettings& record);
    bool SetAllOn() const;
    void OnSetAllFonts();
    void OnSizeFieldChange(UINT editId);
    void OnResetFonts();
    void OnFaceListDropDown(UINT listId);
    // WM_DRAWITEM of a face list; false for any other control.
    bool DrawFaceListItem(const DRAWITEMSTRUCT& item);
    // The record a save would write now; none when set-all has no face.
    std::optional<fonts::PageFontSettings> ShownFonts() const;
    // Shows each given face as a stored face is shown; absent ones change nothing.
    void ShowFaces(const std::optional<std::wstring> (&faces)[fonts::kFaceRoleCount]);

    // Profiles: export what the dialog shows, import into the controls.
    void OnExportSettings();
    void OnImportSettings();
    profile::Profile ShownProfile() const;
    // Shows the settings the profile holds. From a file they are no change of
    // the user's: the window's modified state stays as it is.
    enum class Source { User, File };
    void ShowProfile(const profile::Profile& p, Source source = Source::User);

    fonts::FaceEnumeration* pendingFaces_ = nullptr;  // not owned
    const ui::StartupFiles* startupFiles_ = nullptr;  // not owned; only during initialisation
    bool painted_ = false;
    HICON icon_ = nullptr;
    std::wstring currentAccount_;
    // The account list's entries, given to it on its first use.
    std::vector<std::wstring> accounts_;
    bool accountsFilled_ = false;
    int scrollValues_[4] = {0, 0, 0, 0};
    bool modified_ = true;
    std::vector<std::wstring> installedFaces_;
    // The other names of installedFaces_; made with them, so ended before them.
    std::unique_ptr<fonts::OtherNamesReading> otherNames_;
    // Per role, a stored face shown as not installed until the other names are read.
    std::array<std::optional<std::wstring>, fonts::kFaceRoleCount> unsettledFaces_;
    // In the order of ui::kFaceLists: the six roles, then set-all.
    std::array<fonts::FaceCombo, 7> faceLists_;
    fonts::FaceList* roleLists_[fonts::kFaceRoleCount] = {&faceLists_[0], &faceLists_[1], &faceLists_[2],
                                                          &faceLists_[3], &faceLists_[4], &faceLists_[5]};
    fonts::FaceFontCache faceFonts_;
    // Faces shown as their family's entry under another name, saved as stored.
    fonts::KeptFaces keptFaces_;
    // Switches the user changed, per account, until they are saved.
    browser::PendingSwitches pendingSwitches_;
    // What the window read of a browser file and showed of it then: the
    // engine file's settings, and per account its switches.
    profile::Reading engineReading_;
    std::map<std::wstring, profile::Reading> accountReadings_;
    bool following_ = false;  // readings taken: the window follows the files
    bool busy_ = false;  // saving, or following the files
    int sizeValues_[4] = {0, 0, 0, 0};
    std::vector<std::wstring> languages_;
    text::StoredTexts texts_;
    std::wstring dataFolder_;
    std::wstring workingFolder_;
    int currentLanguage_ = -1;
    int simplifiedChinese_ = -1;
    int traditionalChinese_ = -1;
    int savedLanguage_ = -1;
    win::ToolTip tips_;
};
