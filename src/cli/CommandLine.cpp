#include "cli/CommandLine.h"

#include <windows.h>

#include <algorithm>

#include "app/Backups.h"
#include "app/SaveReport.h"
#include "app/Settings.h"
#include "browser/Accounts.h"
#include "browser/BackupLabel.h"
#include "browser/DataFolder.h"
#include "browser/Guard.h"
#include "browser/Layout.h"
#include "cli/Arguments.h"
#include "cli/Output.h"
#include "i18n/TextTable.h"
#include "profile/ProfileFiles.h"
#include "win/Text.h"

namespace cli {
namespace {

// Paths are taken whole, whatever the current folder. A path cannot hold a
// quote: one at the end comes from "C:\dir\", whose last backslash the
// command line reads as escaping the closing quote.
std::wstring FullPath(std::wstring path)
{
    while (!path.empty() && path.back() == L'"') path.pop_back();
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The program's own file name, as the usage shows it: Velltune.exe, or
// Velltune.com for the console program.
std::wstring ProgramFileName()
{
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return win::ExecutableBaseName() + L".exe";
    path.resize(length);
    return path.substr(path.find_last_of(L"\\/") + 1);
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A stored text holds a line break only in its built-in English; an output
// line has none.
std::wstring OneLine(std::wstring text)
{
    std::wstring line;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n') {
            if (!line.empty() && line.back() != L' ') line += L' ';
            continue;
        }
        line += c;
    }
    return line;
}

class Runner {
public:
    Runner() : languageFile_(settings::SavedLanguageFilePath(settings::GetWorkingFolder())) {}

    int Run(const std::vector<std::wstring>& args);

private:
    std::wstring Text(const text::Key& key, const std::vector<std::wstring>& args = {}) const
    {
        return OneLine(win::FormatPlaceholders(text::Get(languageFile_, key), args));
    }
    int Fail(int code, const text::Key& key, const std::vector<std::wstring>& args = {})
    {
        out_.Error(Text(key, args));
        return code;
    }
    void Usage();
    int ReadProfile(const std::wstring& file, profile::Profile& p);
    int FindDataFolder(const std::wstring& given, std::wstring& folder);
    int FindAccounts(const Arguments& a, const std::wstring& folder);
    int Export(const std::wstring& file, const std::wstring& folder);
    int Import(const profile::Profile& p, const Arguments& a, const std::wstring& folder);
    int Check(const profile::Profile& p, const Arguments& a, const std::wstring& folder);
    int ListBackups();
    int FindBackup(const std::wstring& name, backups::Backup& backup);
    int Restore(const backups::Backup& backup, const std::wstring& folder);
    // A save that failed: the files put in place and those not, or the one refused.
    // The lines of a failed save into the data folder, and its exit code.
    int SaveFailed(const safesave::SaveFailure& failure, const std::wstring& folder);
    void Skipped(const Arguments& a, const profile::Profile& p);
    // A value of a checked key: quoted, or the text for a missing key.
    std::wstring Shown(const std::optional<std::wstring>& value) const;

    std::wstring languageFile_;
    Output out_;
    std::vector<std::wstring> configFiles_;
    std::vector<std::wstring> skipped_;
};

void Runner::Usage()
{
    const std::wstring exe = ProgramFileName();
    out_.Line(Text(text::kUsageTitle));
    out_.Line(L"  " + exe + L" /export FILE [/account NAME] [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageExport));
    out_.Line(L"  " + exe + L" /import FILE [/account NAME | /allaccounts] [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageImport));
    out_.Line(L"  " + exe + L" /check FILE [/account NAME | /allaccounts] [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageCheck));
    out_.Line(L"  " + exe + L" /backups");
    out_.Line(L"      " + Text(text::kUsageBackups));
    out_.Line(L"  " + exe + L" /restore NAME|latest [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageRestore));
    out_.Line(L"  " + exe + L" /?");
    out_.Line(L"      " + Text(text::kUsageHelp));
    // Longer than other texts: it explains each code.
    out_.Line(OneLine(text::Get(languageFile_, text::kUsageExitCodes, text::kExitCodesCapacity)));
}

int Runner::ReadProfile(const std::wstring& file, profile::Profile& p)
{
    profile::BadValue bad;
    switch (profile::Read(file, p, bad)) {
    case profile::ReadResult::Read:
        return kDone;
    case profile::ReadResult::Unreadable:
        return Fail(kBadProfile, text::kProfileUnreadable, {file});
    case profile::ReadResult::NoSettings:
        return Fail(kBadProfile, text::kProfileEmpty, {file});
    case profile::ReadResult::Invalid:
        break;
    }
    return Fail(kBadProfile, text::kProfileInvalid, {file, bad.section, bad.key, profile::Shortened(bad.value)});
}

int Runner::FindDataFolder(const std::wstring& given, std::wstring& folder)
{
    // A folder on the command line is for this run only; it is not stored.
    if (given.empty()) {
        folder = settings::ReadDataFolder(settings::GetWorkingFolder());
        if (datafolder::TakeStored(folder)) return kDone;
    } else {
        folder = FullPath(given);
        if (datafolder::CheckCandidate(folder) == datafolder::Candidate::Valid) return kDone;
    }
    return Fail(kNoDataFolder, text::kNoDataFolder, {folder});
}

int Runner::FindAccounts(const Arguments& a, const std::wstring& folder)
{
    if (a.account.empty() && !a.allAccounts) return kDone;
    for (const std::wstring& account : browser::ListAccounts(folder)) {
        // Only a listed name is used, so that a name cannot lead out of Users\.
        if (!a.allAccounts && ::CompareStringOrdinal(account.c_str(), -1, a.account.c_str(), -1, TRUE) != CSTR_EQUAL)
            continue;
        const std::wstring config = browser::AccountConfigPath(folder, account);
        if (IsFile(config))
            configFiles_.push_back(config);
        else
            skipped_.push_back(account);
    }
    if (!a.allAccounts && configFiles_.empty()) return Fail(kNoAccount, text::kNoAccount, {a.account});
    return kDone;
}

int Runner::Export(const std::wstring& file, const std::wstring& folder)
{
    const profile::Profile p =
        profile::FromFiles(browser::EngineSettingsPath(folder), configFiles_.empty() ? L"" : configFiles_.front());
    if (!profile::Write(file, p)) return Fail(kWriteFailed, text::kWriteFailed, {file});
    out_.Line(Text(text::kFileWritten, {file}));
    return kDone;
}

int Runner::Import(const profile::Profile& p, const Arguments& a, const std::wstring& folder)
{
    if (browser::IsBrowserRunning() == 1) return Fail(kBrowserRunning, text::kNV3Running);
    const std::wstring engine = browser::EngineSettingsPath(folder);
    profile::ApplyFailure failure;
    // Backed up as a save from the window is, so that an import can be undone.
    const std::wstring backupRoot = backups::BackupRoot(settings::GetWorkingFolder());
    if (!profile::Apply(p, folder, configFiles_, backupRoot, failure)) {
        if (!failure.face.empty()) return Fail(kWriteFailed, text::kFaceNotSaved, {failure.face, failure.file});
        return SaveFailed(failure, folder);
    }

    // A file that already held the profile was left as it was.
    const auto report = [&](const std::wstring& file) {
        const std::vector<std::wstring>& unchanged = failure.outcome.unchanged;
        const bool same = std::find(unchanged.begin(), unchanged.end(), file) != unchanged.end();
        out_.Line(Text(same ? text::kFileUnchanged : text::kFileWritten, {file}));
    };
    if (p.HasEngineKeys()) report(engine);
    if (p.HasNewTab())
        for (const std::wstring& config : configFiles_) report(config);
    Skipped(a, p);
    return kDone;
}

int Runner::SaveFailed(const safesave::SaveFailure& failure, const std::wstring& folder)
{
    const text::StoredTexts texts = text::LoadStoredTexts(languageFile_);
    for (const std::wstring& line :
         safesave::FailureLines(texts, failure, folder, {Text(text::kWriteFailed, {failure.file})}))
        out_.Error(OneLine(line));
    // Busy is worth another try; nothing was touched.
    return failure.reason == safesave::PrepareFailure::Busy ? kBusy : kWriteFailed;
}

void Runner::Skipped(const Arguments& a, const profile::Profile& p)
{
    for (const std::wstring& account : skipped_) out_.Line(Text(text::kAccountSkipped, {account}));
    if (p.HasNewTab() && a.account.empty() && !a.allAccounts) out_.Line(Text(text::kNewTabNotApplied));
}

std::wstring Runner::Shown(const std::optional<std::wstring>& value) const
{
    return value ? L"\"" + *value + L"\"" : Text(text::kCheckMissing);
}

int Runner::Check(const profile::Profile& p, const Arguments& a, const std::wstring& folder)
{
    // Reads and nothing else: no guard, no lock, no copy, no backup, so that
    // it may run beside the browser and beside a save.
    bool differ = false;
    const auto report = [&](const std::wstring& file, const std::vector<profile::Difference>& differences) {
        for (const profile::Difference& d : differences)
            out_.Line(Text(text::kCheckDiffers, {file, d.section, d.key, Shown(d.inFile), Shown(d.inProfile)}));
        if (differences.empty()) out_.Line(Text(text::kCheckInPlace, {file}));
        differ = differ || !differences.empty();
    };
    if (p.HasEngineKeys()) {
        const std::wstring engine = browser::EngineSettingsPath(folder);
        report(engine, profile::EngineDifferences(p, engine));
    }
    if (p.HasNewTab())
        for (const std::wstring& config : configFiles_) report(config, profile::NewTabDifferences(p, config));
    Skipped(a, p);
    return differ ? kSettingsDiffer : kDone;
}

int Runner::ListBackups()
{
    const std::wstring root = backups::BackupRoot(settings::GetWorkingFolder());
    const std::vector<backups::Backup> found = backups::List(root);
    if (found.empty()) out_.Line(Text(text::kNoBackups, {root}));
    // The name that /restore takes, then what the Restore dialog says it holds.
    const std::wstring configOfAccount = text::Get(languageFile_, text::kConfigOfAccount);
    for (const backups::Backup& backup : found)
        out_.Line(backup.name + L"  " + browser::BackupContents(backup, configOfAccount));
    return kDone;
}

int Runner::FindBackup(const std::wstring& name, backups::Backup& backup)
{
    const std::vector<backups::Backup> found = backups::List(backups::BackupRoot(settings::GetWorkingFolder()));
    for (const backups::Backup& b : found) {
        if (SameText(name, L"latest") || SameText(name, b.name)) {
            backup = b;
            return kDone;
        }
    }
    return Fail(kNoSuchBackup, text::kNoSuchBackup, {name});
}

int Runner::Restore(const backups::Backup& backup, const std::wstring& folder)
{
    // The window's Restore, with its guard: a save like any other.
    if (browser::IsBrowserRunning() == 1) return Fail(kBrowserRunning, text::kNV3Running);
    safesave::SaveFailure failure;
    if (!backups::Restore(folder, backups::BackupRoot(settings::GetWorkingFolder()), backup, failure))
        return SaveFailed(failure, folder);
    out_.Line(Text(text::kRestored, {backup.name}));
    for (const std::wstring& file : failure.outcome.saved) out_.Line(Text(text::kFileWritten, {file}));
    for (const std::wstring& file : failure.outcome.unchanged) out_.Line(Text(text::kFileUnchanged, {file}));
    return kDone;
}

int Runner::Run(const std::vector<std::wstring>& args)
{
    Arguments a;
    std::wstring problem;
    if (!ParseArguments(args, a, problem)) return Fail(kWrongArguments, text::kWrongArguments, {problem});
    if (a.job == cli::Job::Help) {
        Usage();
        return kDone;
    }
    if (a.job == Job::Backups) return ListBackups();
    const std::wstring file = a.job == Job::Restore ? a.file : FullPath(a.file);
    // The profile or the backup is checked first: a bad one is reported whatever the machine.
    profile::Profile p;
    if (a.job == Job::Import || a.job == Job::Check)
        if (const int code = ReadProfile(file, p)) return code;
    backups::Backup backup;
    if (a.job == Job::Restore)
        if (const int code = FindBackup(file, backup)) return code;
    std::wstring folder;
    if (const int code = FindDataFolder(a.dataFolder, folder)) return code;
    if (const int code = FindAccounts(a, folder)) return code;
    switch (a.job) {
    case Job::Export: return Export(file, folder);
    case Job::Check: return Check(p, a, folder);
    case Job::Restore: return Restore(backup, folder);
    default: return Import(p, a, folder);
    }
}

}  // namespace

int Run(const std::vector<std::wstring>& args)
{
    return Runner().Run(args);
}

}  // namespace cli
