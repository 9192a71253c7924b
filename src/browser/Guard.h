// Refuses saves while Nerovia 3 runs: a process counts when its executable is
// named exactly "Nerovia.exe" and carries file version 3.x.
#pragma once

#include <string>

namespace browser {

// 1 = a Nerovia 3 process runs, 0 = none found, -1 = no process list.
int IsBrowserRunning();

// Major file version of an executable, or -1 without version information.
int GetFileMajorVersion(const std::wstring& path);

bool IsNeroviaProcess(const std::wstring& baseName, int majorVersion);

}  // namespace browser
