// One save of any number of files, all or nothing file by file. Each file is
// copied beside itself and the save's keys are written into the copy; only
// when every copy is complete are they flushed to the disk, the originals
// kept as a backup, and each copy put in place of its original in one step.
// Until then no original is touched, and whatever is not committed is
// removed with the transaction.
//
// Other processes may save into the same data folder: the first Prepare takes
// the folder's lock (waiting for another save to finish, up to a limit) and
// the transaction holds it until it ends, so the copies are taken from the
// files as they stand once no other save runs, and a copy is never another
// save's.
#pragma once

#include <string>
#include <vector>

#include "app/FolderLock.h"

namespace safesave {

// The originals a commit put in place and those it left as they were, each in
// the order of the save.
struct CommitOutcome {
    std::vector<std::wstring> saved;
    std::vector<std::wstring> notSaved;
    // The commit failed after some files were already in place.
    bool Partial() const { return !saved.empty() && !notSaved.empty(); }
};

class SaveTransaction {
public:
    // Saves into files below the data folder, whose lock the save holds;
    // backups go below backupRoot (ending in "\"); none when it is empty.
    explicit SaveTransaction(std::wstring dataFolder, std::wstring backupRoot = {});
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction&) = delete;
    SaveTransaction& operator=(const SaveTransaction&) = delete;

    // The working copy of the file that this save writes into; the same one
    // on every call for the same file. A missing original gives a copy that
    // the first write creates. Empty when the copy cannot be made (the lock
    // not had in time, the file cannot be read, the folder written) or the
    // original is read-only: the save must then fail.
    std::wstring Prepare(const std::wstring& original);

    // As Prepare, but the copy holds the bytes of another file.
    std::wstring PrepareFrom(const std::wstring& original, const std::wstring& source);

    // Flushes every copy, keeps a backup of the originals it replaces and
    // puts the copies in place, one file after another. False when a copy
    // cannot be flushed or has gone (nothing replaced) or a replace fails (the
    // files before it are new, the rest as they were). The lock is let go
    // once the last file is in place.
    bool Commit();
    // What the commit put in place; empty before it.
    const CommitOutcome& Outcome() const { return outcome_; }

private:
    struct Entry {
        std::wstring original;
        std::wstring copy;
        bool copied = false;  // the copy exists from the start, not from a first write
    };
    const Entry* Find(const std::wstring& original) const;
    bool PutInPlace();
    // Removes what is left of the copies and lets the next save in.
    void End();

    std::wstring dataFolder_;
    std::wstring backupRoot_;
    FolderLock lock_;
    std::vector<Entry> entries_;
    CommitOutcome outcome_;
    bool done_ = false;
};

}  // namespace safesave
