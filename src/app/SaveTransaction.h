// One save of any number of files, all or nothing file by file. Each file is
// copied beside itself and the save's keys are written into the copy; only
// when every copy is complete are they flushed to the disk, the originals
// kept as a backup, and each copy put in place of its original in one step.
// Until then no original is touched, and whatever is not committed is
// removed with the transaction.
#pragma once

#include <string>
#include <vector>

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
    // Backups go below the folder (ending in "\"); none when it is empty.
    explicit SaveTransaction(std::wstring backupRoot = {});
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction&) = delete;
    SaveTransaction& operator=(const SaveTransaction&) = delete;

    // The working copy of the file that this save writes into; the same one
    // on every call for the same file. A missing original gives a copy that
    // the first write creates. Empty when the copy cannot be made (the file
    // cannot be read, the folder written) or the original is read-only: the
    // save must then fail.
    std::wstring Prepare(const std::wstring& original);

    // As Prepare, but the copy holds the bytes of another file.
    std::wstring PrepareFrom(const std::wstring& original, const std::wstring& source);

    // Flushes every copy, keeps a backup of the originals it replaces and
    // puts the copies in place, one file after another. False when a copy
    // cannot be flushed (nothing replaced) or a replace fails (the files
    // before it are new, the rest as they were).
    bool Commit();
    // What the commit put in place; empty before it.
    const CommitOutcome& Outcome() const { return outcome_; }

private:
    struct Entry {
        std::wstring original;
        std::wstring copy;
    };
    const Entry* Find(const std::wstring& original) const;

    std::wstring backupRoot_;
    std::vector<Entry> entries_;
    CommitOutcome outcome_;
    bool done_ = false;
};

}  // namespace safesave
