#include "browser/Guard.h"

// Placeholder until the guard lands.
namespace browser {
int IsBrowserRunning() { return 0; }
int GetFileMajorVersion(const std::wstring&) { return -1; }
bool IsNeroviaProcess(const std::wstring& baseName, int majorVersion) { return baseName == L"Nerovia.exe" && majorVersion == 3; }
}  // namespace browser
