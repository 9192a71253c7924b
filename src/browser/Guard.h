// Refuses saves while Nerovia 3 runs: a process counts when its executable is
// named exactly "Nerovia.exe" and carries file version 3.x.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace browser {

// 1 = a Nerovia 3 process runs, 0 = none found, -1 = no process list.
int IsBrowserRunning();

// Major file version of an executable, or -1 without version information.
int GetFileMajorVersion(const std::wstring& path);

bool IsNeroviaProcess(const std::wstring& baseName, int majorVersion);

// Every running process id. The buffer starts with room for the given number
// of ids and grows until the list no longer fills it. False when the system
// gives no list.
bool ListProcessIds(std::vector<DWORD>& ids, size_t initialCapacity = 1024);

struct ProcessImage {
    std::wstring baseName;  // the executable's file name, no folder
    std::wstring path;      // its full path
};

// Names the executable of one process through its first module, or, when the
// process refuses the rights for that (one run as administrator, say),
// through its image path, which needs only the limited query right.
bool GetProcessImage(DWORD processId, ProcessImage& image);

}  // namespace browser
