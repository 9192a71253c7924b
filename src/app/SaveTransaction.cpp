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
}

const SaveTransaction::Entry* SaveTransaction::Find(const std::wstring& original) const
{
    for (const Entry& entry : entries_)
        if (::CompareStringOrdinal(entry.original.c_str(), -1, original.c_str(), -1, TRUE) == CSTR_EQUAL) return &entry;
    return nullptr;
}

std::wstring SaveTransaction::Prepare(const std::wstring& original)
{
    if (done_) return {};
    if (const Entry* entry = Find(original)) return entry->copy;
    // Windows copies the attribute: writes into the copy fail and the copy
    // cannot be deleted, so it would stay beside the file. Some file systems
    // (Wine running as root) refuse nothing, so the attribute is read here.
    const DWORD attributes = ::GetFileAttributesW(original.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return {};
    if (!lock_.Acquire(dataFolder_)) return {};
    // With the lock held no other save is under way: any copy beside the file
    // is one that a save which died left.
    win::RemoveTemporaries(original);
    const std::wstring copy = win::TemporaryPathFor(original);
    // Fails if the name exists: the copy is this save's own from the start.
    const bool copied = win::RetryWhileInUse([&] { return ::CopyFileW(original.c_str(), copy.c_str(), TRUE) != FALSE; });
    if (!copied && (::GetLastError() != ERROR_FILE_NOT_FOUND || win::FileExists(original))) return {};
    entries_.push_back({original, copy, copied});
    return copy;
}

std::wstring SaveTransaction::PrepareFrom(const std::wstring& original, const std::wstring& source)
{
    const std::wstring copy = Prepare(original);
    if (copy.empty()) return {};
    std::string bytes;
    if (!win::ReadWholeFile(source, bytes) || !win::WriteWholeFile(copy, bytes)) return {};
    for (Entry& entry : entries_)
        if (entry.copy == copy) entry.copied = true;
    return copy;
}

bool SaveTransaction::Commit()
{
    if (done_) return false;
    done_ = true;
    const bool committed = PutInPlace();
    // The next save, of this process or another, may start at once.
    End();
    return committed;
}

bool SaveTransaction::PutInPlace()
{
    std::vector<Entry> written;
    for (const Entry& entry : entries_) {
        if (!win::FileExists(entry.copy)) {
            // A copy that no write created leaves a missing original missing;
            // one that was made and is gone now holds nothing of this save.
            if (entry.copied) return false;
            continue;
        }
        if (!win::FlushFile(entry.copy)) return false;
        written.push_back(entry);
    }
    if (!backupRoot_.empty()) {
        std::vector<std::wstring> originals;
        for (const Entry& entry : written)
            if (win::FileExists(entry.original)) originals.push_back(entry.original);
        // Without a backup (the working folder cannot be written) the save goes on.
        if (!originals.empty()) backups::Keep(backupRoot_, originals);
    }
    for (const Entry& entry : written) {
        const bool replaced = outcome_.notSaved.empty() && win::ReplaceWith(entry.original, entry.copy);
        (replaced ? outcome_.saved : outcome_.notSaved).push_back(entry.original);
    }
    return outcome_.notSaved.empty();
}

}  // namespace safesave
