#include "cli/CommandLine.h"

#include <windows.h>

#include <algorithm>

#include "app/Backups.h"
#include "app/SaveReport.h"
#include "app/Settings.h"
#include "browser/Accounts.h"
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

    std::wstring languageFile_;
    Output out_;
    std::vector<std::wstring> configFiles_;
    std::vector<std::wstring> skipped_;
};

void Runner::Usage()
{
    const std::wstring exe = win::ExecutableBaseName() + L".exe";
    out_.Line(Text(text::kUsageTitle));
    out_.Line(L"  " + exe + L" /export FILE [/account NAME] [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageExport));
    out_.Line(L"  " + exe + L" /import FILE [/account NAME | /allaccounts] [/datafolder DIR]");
    out_.Line(L"      " + Text(text::kUsageImport));
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
        const text::StoredTexts texts = text::LoadStoredTexts(languageFile_);
        for (const std::wstring& line :
             safesave::FailureLines(texts, failure, folder, {Text(text::kWriteFailed, {failure.file})}))
            out_.Error(OneLine(line));
        return failure.reason == safesave::PrepareFailure::Busy ? kBusy : kWriteFailed;
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
    for (const std::wstring& account : skipped_) out_.Line(Text(text::kAccountSkipped, {account}));
    if (p.HasNewTab() && a.account.empty() && !a.allAccounts) out_.Line(Text(text::kNewTabNotApplied));
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
    const std::wstring file = FullPath(a.file);
    // The profile is checked first: a bad one is reported whatever the machine.
    profile::Profile p;
    if (a.job == cli::Job::Import)
        if (const int code = ReadProfile(file, p)) return code;
    std::wstring folder;
    if (const int code = FindDataFolder(a.dataFolder, folder)) return code;
    if (const int code = FindAccounts(a, folder)) return code;
    return a.job == cli::Job::Export ? Export(file, folder) : Import(p, a, folder);
}

}  // namespace

int Run(const std::vector<std::wstring>& args)
{
    return Runner().Run(args);
}

}  // namespace cli
