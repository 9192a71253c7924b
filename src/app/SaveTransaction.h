// One save of any number of files, all or nothing file by file. Each file is
// copied beside itself and the save's keys are written into the copy; only
// when every copy is complete are they flushed to the disk, the originals
// kept as a backup, and each copy put in place of its original in one step.
// A copy that holds the same bytes as its original is not put in place, and a
// save that puts no file in place keeps no backup. Until the commit no
// original is touched, and whatever is not committed is removed with the
// transaction.
//
// Other processes, on this computer or another, may save into the same data
// folder: the first Prepare takes the folder's lock (waiting for another save
// to finish, up to a limit) and the transaction holds it until it ends, so
// the copies are taken from the files as they stand once no other save runs,
// and a copy is never another save's. A save writes only files inside the
// folder whose lock it holds.
#pragma once

#include <string>
#include <vector>

#include "app/FolderLock.h"

namespace safesave {

// The originals a commit put in place, those it left as they were after a
// failure, and those it left because they would not change, each in the
// order of the save.
struct CommitOutcome {
    std::vector<std::wstring> saved;
    std::vector<std::wstring> notSaved;
    std::vector<std::wstring> unchanged;
    // The commit failed after some files were already in place.
    bool Partial() const { return !saved.empty() && !notSaved.empty(); }
};

// Why a Prepare gave no copy.
enum class PrepareFailure {
    None,
    Busy,     // another save held the folder for the whole wait
    Outside,  // the file lies outside the data folder
    Other,    // read-only, unreadable, or the folder cannot be written
};

// Why a save failed, for its message.
struct SaveFailure {
    PrepareFailure reason = PrepareFailure::None;
    std::wstring file;      // the file refused, or the first one not put in place
    Holder holder;          // who held the folder, after Busy
    CommitOutcome outcome;  // after a commit that failed part way
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
    // the first write creates. Empty when there is none to be had (Failure
    // says why): the save must then fail.
    std::wstring Prepare(const std::wstring& original);

    // As Prepare, but the copy holds the bytes of another file.
    std::wstring PrepareFrom(const std::wstring& original, const std::wstring& source);

    PrepareFailure Failure() const { return failure_; }
    // The failure of this save so far, naming the file given when nothing
    // else names one.
    SaveFailure Failed(const std::wstring& file) const;

    // Flushes every copy that changes its file, keeps a backup of the
    // originals it replaces and puts those copies in place, one file after
    // another. False when a copy cannot be flushed or has gone (nothing
    // replaced) or a replace fails (the files before it are new, the rest as
    // they were). The lock is let go once the last file is in place.
    bool Commit();
    // What the commit put in place; empty before it.
    const CommitOutcome& Outcome() const { return outcome_; }

    // Removes what is left of the copies and lets the next save in: done by
    // the destructor, or earlier by a caller that has something to show.
    void End();

private:
    struct Entry {
        std::wstring original;
        std::wstring copy;
        bool copied = false;  // the copy exists from the start, not from a first write
    };
    const Entry* Find(const std::wstring& original) const;
    bool Inside(const std::wstring& original) const;
    bool PutInPlace();

    std::wstring dataFolder_;
    std::wstring backupRoot_;
    FolderLock lock_;
    std::vector<Entry> entries_;
    CommitOutcome outcome_;
    PrepareFailure failure_ = PrepareFailure::None;
    bool done_ = false;
};

}  // namespace safesave
