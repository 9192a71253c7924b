// Every user-interface text: its key in the language files and its built-in
// English default. A language file may hold any subset of the keys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace text {

struct Key {
    const wchar_t* name;
    const wchar_t* english;
};

// Capacities (characters, terminator included) of the reads.
constexpr DWORD kMainCapacity = 256;        // main dialog, its menu, stored texts, About box
constexpr DWORD kDataFolderCapacity = 128;  // the data-folder dialog
constexpr DWORD kLanguageNameCapacity = 20;
constexpr DWORD kExitCodesCapacity = 1024;  // the command line's list of exit codes

constexpr wchar_t kSection[] = L"General";
constexpr wchar_t kEnglishFile[] = L"English.ini";

// One read of section "General"; cannot fail. Values are taken literally: a
// backslash and an n stay two characters.
std::wstring GetLanguageText(const std::wstring& languageFile, const wchar_t* key, const wchar_t* englishDefault,
                             DWORD capacity);
std::wstring Get(const std::wstring& languageFile, const Key& key, DWORD capacity = kMainCapacity);

// Two texts as one message, separated by an empty line.
std::wstring Join(const std::wstring& first, const std::wstring& second);

// Main dialog captions, in the order they are applied. A caption marks its
// access key with "&" ("(&S)" after the text in East Asian languages).
struct Caption {
    int controlId;
    Key key;
};
extern const Caption kMainCaptions[28];

// The caption as plain text, for a title bar or a message: the access-key
// mark goes ("(&S)" as a whole), and "&&" becomes "&".
std::wstring WithoutAccessKey(const std::wstring& caption);

// Texts the main dialog keeps for later messages and for button 2.
inline constexpr Key kCancel{L"Cancel", L"Cancel"};
inline constexpr Key kClose{L"Close", L"Close"};
inline constexpr Key kSettingsFileMissing{L"SettingsFileMissing", L"Cannot find Nerovia 3 settings file."};
inline constexpr Key kReinstall{L"Reinstall", L"Please reinstall Nerovia 3!"};
inline constexpr Key kGetAccountFailed{L"GetAccountFailed", L"Failed to get Nerovia 3 users list!"};
inline constexpr Key kUserConfigFileMissing{L"UserConfigFileMissing", L"Cannot find Nerovia 3 user config file."};
inline constexpr Key kValueOutOfRange{L"ValueOutOfRange", L"Numerical value out of range!"};
inline constexpr Key kNV3Running{L"NV3Running",
                                 L"Settings cannot be saved while Nerovia 3 is running.\n\n"
                                 L"Please exit Nerovia 3 and try again later."};
inline constexpr Key kEnterInteger{L"EnterInteger", L"Please enter an integer."};
inline constexpr Key kEnterIntegerInRange{L"EnterIntegerInRange", L"Please enter an integer between %1 and %2."};
inline constexpr Key kSaveFailed{L"SaveFailed", L"Failed to save Nerovia 3 settings!"};
inline constexpr Key kSelectSetAllFont{L"SelectSetAllFont", L"Please choose a font for \"Set All Fonts to:\"."};

// Menu captions.
inline constexpr Key kMenu{L"Menu", L"&Menu"};
inline constexpr Key kSetDataFolder{L"SetDataFolder", L"Set Nerovia 3 &Data folder..."};
inline constexpr Key kSetLanguage{L"SetLanguage", L"&Language"};
inline constexpr Key kAbout{L"About", L"&About"};
inline constexpr Key kExit{L"Exit", L"E&xit"};

// Data-folder dialog.
inline constexpr Key kOK{L"OK", L"OK"};
inline constexpr Key kSpecifyDataFolder{L"SpecifyDataFolder", L"Please specify Nerovia 3 &Data folder:"};
inline constexpr Key kInvalidDirectory{L"InvalidDirectory", L"Invalid directory!"};
inline constexpr Key kIncorrectFolder{L"IncorrectFolder", L"Please specify the correct folder!"};

// About box.
inline constexpr Key kVersion{L"Version", L"Version:"};
inline constexpr Key kAuthor{L"Author", L"Author:"};
inline constexpr Key kThanks{L"Thanks", L"Thanks to:"};
inline constexpr Key kTranslation{L"Translation", L""};

// Face lists.
inline constexpr Key kNotInstalled{L"NotInstalled", L"(not installed)"};

// Language menu item caption of a language file.
inline constexpr Key kLanguageName{L"LanguageName", L""};

// Explanations, keyboard and translations
// The main dialog's tooltips, one text per setting.
// Labels, fields and spins of one setting share its text.
extern const Caption kMainTips[47];

// Data-folder dialog: the browse button and the folder browser's prompt.
inline constexpr Key kBrowse{L"Browse", L"&Browse..."};
inline constexpr Key kBrowseDataFolder{L"BrowseDataFolder",
                                       L"Choose the Nerovia 3 Data folder: the folder that holds the folders "
                                       L"Temp and Users."};

// About box credits.
inline constexpr Key kDevelopers{L"Developers", L"the Velltune developers"};
inline constexpr Key kTranslators{L"Translators", L"everyone who translated Velltune"};

// Profiles and the command line.
inline constexpr Key kExportMenu{L"ExportMenu", L"&Export Settings..."};
inline constexpr Key kImportMenu{L"ImportMenu", L"&Import Settings..."};
inline constexpr Key kProfileFilter{L"ProfileFilter", L"Velltune profiles (*.ini)"};
inline constexpr Key kAllFilesFilter{L"AllFilesFilter", L"All files (*.*)"};
inline constexpr Key kProfileUnreadable{L"ProfileUnreadable", L"Cannot read the profile %1."};
inline constexpr Key kProfileInvalid{L"ProfileInvalid", L"The profile %1 is not valid: [%2] %3=%4"};
inline constexpr Key kProfileEmpty{L"ProfileEmpty", L"The profile %1 holds no Velltune settings."};
inline constexpr Key kWriteFailed{L"WriteFailed", L"Cannot write %1; nothing was changed in it."};
inline constexpr Key kNoDataFolder{L"NoDataFolder", L"No valid Nerovia 3 data folder: %1"};
inline constexpr Key kNoAccount{L"NoAccount", L"The Nerovia 3 account %1 does not exist or has no config.ini."};
inline constexpr Key kWrongArguments{L"WrongArguments", L"Wrong arguments near %1. Velltune.exe /? shows how to use it."};
inline constexpr Key kFileWritten{L"FileWritten", L"Written: %1"};
inline constexpr Key kFileUnchanged{L"FileUnchanged", L"Unchanged, it holds the profile already: %1"};
inline constexpr Key kAccountSkipped{L"AccountSkipped", L"Skipped, no config.ini: %1"};
inline constexpr Key kNewTabNotApplied{L"NewTabNotApplied",
                                       L"The new-tab switches were not applied: name an account with /account, or use /allaccounts."};
inline constexpr Key kUsageTitle{L"UsageTitle", L"Usage:"};
inline constexpr Key kUsageExport{L"UsageExport", L"Writes the current settings (and the account's new-tab switches) to FILE."};
inline constexpr Key kUsageImport{L"UsageImport",
                                  L"Applies FILE to the data folder, and its new-tab switches to the account or to every account."};
inline constexpr Key kUsageHelp{L"UsageHelp", L"Shows this help."};
inline constexpr Key kUsageExitCodes{
    L"UsageExitCodes",
    L"Exit codes: 0 done (/check: every setting in place); 1 wrong arguments; 2 profile missing, unreadable or "
    L"invalid; 3 no valid data folder; 4 Nerovia 3 is running, nothing was touched (worth retrying); 5 a file could "
    L"not be written: nothing was changed, or the files saved and those not saved are named; 6 no such account, or "
    L"no config.ini; 7 another save held the data folder for the whole wait, nothing was touched (worth retrying); "
    L"8 (/check) some settings differ; 9 no such backup."};
// Comparing a profile with the files, and backups from the command line. %1
// of CheckDiffers is the file, %2 the section, %3 the key, %4 the file's value
// and %5 the profile's (each quoted, or CheckMissing).
inline constexpr Key kUsageCheck{
    L"UsageCheck", L"Compares FILE with the data folder and changes nothing; lists each setting that differs."};
inline constexpr Key kUsageBackups{L"UsageBackups", L"Lists the backups of the saves, newest first."};
inline constexpr Key kUsageRestore{L"UsageRestore",
                                   L"Puts a backup back (its name as /backups lists it, or latest), as Restore Earlier "
                                   L"Settings does."};
inline constexpr Key kCheckDiffers{L"CheckDiffers", L"Differs: %1 [%2] %3: %4 in the file, %5 in the profile"};
inline constexpr Key kCheckMissing{L"CheckMissing", L"(missing)"};
inline constexpr Key kCheckInPlace{L"CheckInPlace", L"In place: %1"};
inline constexpr Key kNoBackups{L"NoBackups", L"No backups in %1"};
inline constexpr Key kNoSuchBackup{L"NoSuchBackup", L"No backup named %1. Velltune.exe /backups lists them."};
inline constexpr Key kRestored{L"Restored", L"Restored: %1"};
inline constexpr Key kCannotStart{L"CannotStart", L"Cannot start %1"};
// Restore
inline constexpr Key kRestoreMenu{L"RestoreMenu", L"&Restore Earlier Settings..."};
inline constexpr Key kRestoreCaption{L"RestoreCaption", L"Restore Earlier Settings"};
// A backed-up config.ini in the restore list; %1 is the account's name.
inline constexpr Key kConfigOfAccount{L"ConfigOfAccount", L"config.ini of %1"};

// Saves that cannot be done as asked. %1 of FaceNotSaved is the font's name,
// %2 the file; %1 of SavedFiles and NotSavedFiles is a list of files.
inline constexpr Key kFaceNotSaved{L"FaceNotSaved",
                                   L"The font name \"%1\" cannot be written into %2: that file's character set lacks "
                                   L"some of its letters. Nothing was saved."};
inline constexpr Key kSavedFiles{L"SavedFiles", L"Saved: %1"};
inline constexpr Key kNotSavedFiles{L"NotSavedFiles", L"Not saved: %1"};
// A save that gave up waiting for another: %1 the computer, %2 the user and
// %3 the time that other save began; the second text when they are not known.
inline constexpr Key kFolderBusy{L"FolderBusy",
                                 L"Another save into this data folder was still under way after 10 seconds: %2 on "
                                 L"the computer %1 has been saving since %3. Nothing was saved; please try again later."};
inline constexpr Key kFolderBusyUnknown{L"FolderBusyUnknown",
                                        L"Another save into this data folder was still under way after 10 seconds. "
                                        L"Nothing was saved; please try again later."};
// A backup's file (%1) outside the current data folder (%2).
inline constexpr Key kBackupOtherFolder{L"BackupOtherFolder",
                                        L"This backup holds %1, which lies outside the data folder %2. Nothing was "
                                        L"restored: choose that data folder first (Menu > Set Nerovia 3 Data folder...)."};

// The stored texts, read together each time a language is applied.
struct StoredTexts {
    std::wstring cancel = kCancel.english;
    std::wstring close = kClose.english;
    std::wstring settingsFileMissing = kSettingsFileMissing.english;
    std::wstring reinstall = kReinstall.english;
    std::wstring getAccountFailed = kGetAccountFailed.english;
    std::wstring userConfigFileMissing = kUserConfigFileMissing.english;
    std::wstring valueOutOfRange = kValueOutOfRange.english;
    std::wstring nv3Running = kNV3Running.english;
    std::wstring enterInteger = kEnterInteger.english;
    std::wstring enterIntegerInRange = kEnterIntegerInRange.english;
    std::wstring saveFailed = kSaveFailed.english;
    std::wstring selectSetAllFont = kSelectSetAllFont.english;
    // Face lists
    std::wstring notInstalled = kNotInstalled.english;
    // Profiles
    std::wstring profileFilter = kProfileFilter.english;
    std::wstring allFilesFilter = kAllFilesFilter.english;
    std::wstring profileUnreadable = kProfileUnreadable.english;
    std::wstring profileInvalid = kProfileInvalid.english;
    std::wstring profileEmpty = kProfileEmpty.english;
    std::wstring writeFailed = kWriteFailed.english;
    // Saves
    std::wstring faceNotSaved = kFaceNotSaved.english;
    std::wstring savedFiles = kSavedFiles.english;
    std::wstring notSavedFiles = kNotSavedFiles.english;
    std::wstring folderBusy = kFolderBusy.english;
    std::wstring folderBusyUnknown = kFolderBusyUnknown.english;
    std::wstring backupOtherFolder = kBackupOtherFolder.english;
};

class LanguageFile;
StoredTexts LoadStoredTexts(const LanguageFile& languageFile);
StoredTexts LoadStoredTexts(const std::wstring& languageFile);

// The report of a save that failed after some of its files were in place:
// the save-failed text, a line naming the files saved and one naming those
// not saved.
std::vector<std::wstring> PartialSaveLines(const StoredTexts& texts, const std::vector<std::wstring>& saved,
                                           const std::vector<std::wstring>& notSaved);

}  // namespace text
