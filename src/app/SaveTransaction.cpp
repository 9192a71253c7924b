#include "app/SaveTransaction.h"

#include <windows.h>

#include "app/Backups.h"
#include "win/Files.h"

namespace safesave {

SaveTransaction::SaveTransaction(std::wstring dataFolder, std::wstring backupRoot)
    : dataFolder_(std::move(dataFolder)), backupRoot_(std::move(backupRoot))
{
}

SaveTransaction::~SaveTransaction()
{
    End();
}

void SaveTransaction::End()
{
    // After a commit only the copies that were not put in place are left.
    for (const Entry& entry : entries_) ::DeleteFileW(entry.copy.c_str());
    entries_.clear();
    lock_.Release();
    done_ = true;
}

const SaveTransaction::Entry* SaveTransaction::Find(const std::wstring& original) const
{
    for (const Entry& entry : entries_)
        if (::CompareStringOrdinal(entry.original.c_str(), -1, original.c_str(), -1, TRUE) == CSTR_EQUAL) return &entry;
    return nullptr;
}

bool SaveTransaction::Inside(const std::wstring& original) const
{
    // The folder whose lock this save holds, however the file's path names
    // it: one of the folders above the file has the lock file that says so.
    std::wstring folder = original;
    for (size_t slash; (slash = folder.find_last_of(L"\\/")) != std::wstring::npos && slash > 0;) {
        folder.resize(slash);
        if (lock_.Holds(folder)) return true;
    }
    return false;
}

std::wstring SaveTransaction::Prepare(const std::wstring& original)
{
    if (done_) return {};
    if (const Entry* entry = Find(original)) return entry->copy;
    failure_ = PrepareFailure::Other;
    // Windows copies the attribute: writes into the copy fail and the copy
    // cannot be deleted, so it would stay beside the file. Some file systems
    // (Wine running as root) refuse nothing, so the attribute is read here.
    const DWORD attributes = ::GetFileAttributesW(original.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return {};
    switch (lock_.Acquire(dataFolder_)) {
    case LockResult::Held:
        break;
    case LockResult::Busy:
        failure_ = PrepareFailure::Busy;
        return {};
    case LockResult::Failed:
        return {};
    }
    if (!Inside(original)) {
        failure_ = PrepareFailure::Outside;
        return {};
    }
    // With the lock held no other save is under way: any copy beside the file
    // is one that a save which died left.
    win::RemoveTemporaries(original);
    const std::wstring copy = win::TemporaryPathFor(original);
    // Fails if the name exists: the copy is this save's own from the start.
    const bool copied = win::RetryWhileInUse([&] { return ::CopyFileW(original.c_str(), copy.c_str(), TRUE) != FALSE; });
    if (!copied && (::GetLastError() != ERROR_FILE_NOT_FOUND || win::FileExists(original))) return {};
    entries_.push_back({original, copy, copied});
    failure_ = PrepareFailure::None;
    return copy;
}

std::wstring SaveTransaction::PrepareFrom(const std::wstring& original, const std::wstring& source)
{
    const std::wstring copy = Prepare(original);
    if (copy.empty()) return {};
    std::string bytes;
    if (!win::ReadWholeFile(source, bytes) || !win::WriteWholeFile(copy, bytes)) {
        failure_ = PrepareFailure::Other;
        return {};
    }
    for (Entry& entry : entries_)
        if (entry.copy == copy) entry.copied = true;
    return copy;
}

SaveFailure SaveTransaction::Failed(const std::wstring& file) const
{
    SaveFailure failure{failure_, file, lock_.Other(), outcome_};
    if (!outcome_.notSaved.empty()) failure.file = outcome_.notSaved.front();
    return failure;
}

bool SaveTransaction::Commit()
{
    if (done_) return false;
    const bool committed = PutInPlace();
    // The next save, of this process or another, may start at once.
    End();
    return committed;
}

bool SaveTransaction::PutInPlace()
{
    std::vector<Entry> changing;
    for (const Entry& entry : entries_) {
        if (!win::FileExists(entry.copy)) {
            // A copy that no write created leaves a missing original missing;
            // one that was made and is gone now holds nothing of this save.
            if (entry.copied) return false;
            continue;
        }
        // The copy was taken under the lock: the same bytes are no change.
        std::string before, after;
        if (win::ReadWholeFile(entry.original, before) && win::ReadWholeFile(entry.copy, after) && before == after) {
            outcome_.unchanged.push_back(entry.original);
            continue;
        }
        if (!win::FlushFile(entry.copy)) return false;
        changing.push_back(entry);
    }
    std::wstring backup;
    if (!backupRoot_.empty()) {
        std::vector<std::wstring> originals;
        for (const Entry& entry : changing)
            if (win::FileExists(entry.original)) originals.push_back(entry.original);
        // Without a backup (the working folder cannot be written) the save goes on.
        if (!originals.empty()) backup = backups::Make(backupRoot_, originals);
    }
    for (const Entry& entry : changing) {
        const bool replaced = outcome_.notSaved.empty() && win::ReplaceWith(entry.original, entry.copy);
        (replaced ? outcome_.saved : outcome_.notSaved).push_back(entry.original);
    }
    if (!backup.empty()) backups::Settle(backupRoot_, backup, !outcome_.saved.empty());
    return outcome_.notSaved.empty();
}

}  // namespace safesave
