#include "app/SaveTransaction.h"

#include <windows.h>

#include "app/Backups.h"
#include "win/Files.h"

namespace safesave {

SaveTransaction::SaveTransaction(std::wstring backupRoot) : backupRoot_(std::move(backupRoot)) {}

SaveTransaction::~SaveTransaction()
{
    // After a commit only the copies that were not put in place are left.
    for (const Entry& entry : entries_) ::DeleteFileW(entry.copy.c_str());
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
    const std::wstring copy = win::TemporaryPathFor(original);
    // A copy left by a save that died is stale: it starts again from the original.
    win::RemoveStaleTemporary(original);
    if (!::CopyFileW(original.c_str(), copy.c_str(), FALSE)) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND || win::FileExists(copy)) return {};
    }
    entries_.push_back({original, copy});
    return copy;
}

std::wstring SaveTransaction::PrepareFrom(const std::wstring& original, const std::wstring& source)
{
    const std::wstring copy = Prepare(original);
    if (copy.empty()) return {};
    std::string bytes;
    if (!win::ReadWholeFile(source, bytes) || !win::WriteWholeFile(copy, bytes)) return {};
    return copy;
}

bool SaveTransaction::Commit()
{
    if (done_) return false;
    done_ = true;
    std::vector<Entry> written;
    for (const Entry& entry : entries_) {
        // A copy that no write created leaves a missing original missing.
        if (!win::FileExists(entry.copy)) continue;
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
