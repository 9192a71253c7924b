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

// Copies the files into a new backup, flushed to the disk, before a save
// replaces them; its folder's name, or empty (with nothing left of it) when
// it cannot be made.
std::wstring Make(const std::wstring& root, const std::vector<std::wstring>& originals);
// Once the save is over: the backup of a save that replaced no file goes
// (Backup\ is then as it was); otherwise the oldest backups beyond kKept go,
// never the new one.
void Settle(const std::wstring& root, const std::wstring& made, bool anyReplaced);

// The complete backups, newest first. A folder that a save which died left
// without its Backup.ini, or without a file it names, is none.
std::vector<Backup> List(const std::wstring& root);

// Puts the backup's files back in place as one save into the data folder,
// itself backed up first. Refused, with nothing touched, when a file lies
// outside that folder: the lock it holds is that folder's. The failure's
// outcome says which files the commit put in place, also after a success.
bool Restore(const std::wstring& dataFolder, const std::wstring& root, const Backup& backup,
             safesave::SaveFailure& failure);

// Where a folder name stands among backups: its time, then its count; false
// for a name that is not a backup's.
struct Stamp {
    std::wstring time;  // "yyyy-mm-dd hh-mm-ss"
    unsigned count = 1;
};
bool ParseName(const std::wstring& name, Stamp& stamp);

}  // namespace backups
