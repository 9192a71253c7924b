// The lock that makes saves into one browser data folder take turns: a
// byte-range lock on the file Velltune.lock at the top of the folder. It
// belongs to the folder itself, so every path that leads there (another drive
// letter, a UNC path, a link, a short name) and every computer that reaches
// it over a file share meet the same lock; only someone who may write into
// the folder can open the file to take it. The system lets go of it when its
// process ends, however it ends, so nobody cleans up after a process that
// died. The holder writes who it is into the file, outside the locked range,
// so that a save which gives up can say who kept it waiting.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace safesave {

// How long a save waits for another to finish before it fails.
inline constexpr DWORD kLockWaitMs = 10000;
inline constexpr wchar_t kLockFileName[] = L"Velltune.lock";

// Who holds a folder's lock, as the holder wrote it.
struct Holder {
    std::wstring computer;
    std::wstring user;
    DWORD processId = 0;
    ULONGLONG since = 0;  // UTC, as a FILETIME
    bool Known() const { return !computer.empty() && since != 0; }
    bool operator==(const Holder&) const = default;
};

enum class LockResult {
    Held,
    Busy,    // another save held it for the whole wait
    Failed,  // the lock file cannot be opened (the folder cannot be written)
};

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Waits at most waitMs for the folder's lock (0: only a look). The calling
    // thread's windows keep painting while it waits; nothing else is taken
    // from its queue, so no click starts another command meanwhile.
    LockResult Acquire(const std::wstring& folder, DWORD waitMs = kLockWaitMs);
    bool Held() const { return held_; }
    void Release();

    // After Busy: who held the folder at the end of the wait, when it said.
    const Holder& Other() const { return other_; }
    // Whether the folder, however it is named, is the one this lock holds.
    bool Holds(const std::wstring& folder) const;

private:
    win::KernelHandle file_;
    bool held_ = false;
    Holder self_;
    Holder other_;
};

// What the lock file of a folder says of its holder (the last one, when no
// save runs); empty when it says nothing readable.
Holder ReadHolder(const std::wstring& folder);

// The holder's time as local date and time in the user's format.
std::wstring LocalTimeText(ULONGLONG utcFileTime);

// Removes the working copies that saves which died left beside the file, when
// no save into that data folder is under way now (a live save's copies are
// its own); otherwise leaves them for a later read or save.
void RemoveStaleCopies(const std::wstring& dataFolder, const std::wstring& file);

}  // namespace safesave
