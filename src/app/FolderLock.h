// The lock that makes saves into one browser data folder take turns, across
// every process on the machine and every logon session: a named mutex in the
// global namespace, named after the folder in one spelling. The system lets go
// of it when its process ends, however it ends, so nobody cleans up after a
// process that died.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace safesave {

// How long a save waits for another to finish before it fails.
inline constexpr DWORD kLockWaitMs = 10000;

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Waits at most waitMs for the folder's lock (0: only a look). The calling
    // thread's windows keep painting while it waits. False when another holds
    // it all that time, or the lock cannot be had at all.
    bool Acquire(const std::wstring& folder, DWORD waitMs = kLockWaitMs);
    bool Held() const { return held_; }
    void Release();

private:
    win::KernelHandle mutex_;
    bool held_ = false;
};

// The mutex's name for a folder: the same for every spelling of one folder
// (relative or full, any case, with or without the final backslash).
std::wstring LockName(const std::wstring& folder);

// Removes the working copies that saves which died left beside the file, when
// no save into that data folder is under way now (a live save's copies are
// its own); otherwise leaves them for a later read or save.
void RemoveStaleCopies(const std::wstring& dataFolder, const std::wstring& file);

}  // namespace safesave
