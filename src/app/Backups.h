// The backups that saves keep in the working folder: one folder per save,
// Backup\<yyyy-mm-dd hh-mm-ss>\ (local time; "-2", "-3", ... for more saves
// in the same second), holding the files that save replaced and Backup.ini,
// which names the full path each came from and the backup's place in the
// order of the saves. The clock can go back (set by hand, the end of summer
// time), so backups are ordered by that place, not by their names; those
// without one (an earlier version's, or copied by hand) come before every
// numbered one, and they and ties go by name. The newest kKept are kept.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/SaveTransaction.h"

namespace backups {

inline constexpr std::size_t kKept = 20;

// Working folder + "Backup\".
std::wstring BackupRoot(const std::wstring& workingFolder);

struct BackupFile {
    std::wstring storedName;    // the file's name in the backup folder
    std::wstring originalPath;  // where it came from and goes back to
};

struct Backup {
    std::wstring name;    // the folder's name: its time, and a count after it
    std::wstring folder;  // full path, ending in "\"
    std::vector<BackupFile> files;
};

// Copies the files into a new backup, flushed to the disk, then deletes the
// oldest backups beyond kKept, never the new one. False, with nothing left
// of the new backup, when it cannot be made.
bool Keep(const std::wstring& root, const std::vector<std::wstring>& originals);

// The complete backups, newest first. A folder that a save which died left
// without its Backup.ini, or without a file it names, is none.
std::vector<Backup> List(const std::wstring& root);

// Puts the backup's files back in place as one save into the data folder,
// itself backed up first; the outcome, when asked for, says which files its
// commit put in place.
bool Restore(const std::wstring& dataFolder, const std::wstring& root, const Backup& backup,
             safesave::CommitOutcome* outcome = nullptr);

// Where a folder name stands among backups: its time, then its count; false
// for a name that is not a backup's.
struct Stamp {
    std::wstring time;  // "yyyy-mm-dd hh-mm-ss"
    unsigned count = 1;
};
bool ParseName(const std::wstring& name, Stamp& stamp);

}  // namespace backups
