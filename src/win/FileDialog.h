// The system's open and save dialogs for one kind of file.
#pragma once

#include <windows.h>

#include <string>

namespace win {

struct FileFilter {
    std::wstring name;         // e.g. "Velltune profiles (*.ini)"
    std::wstring pattern;      // e.g. "*.ini"
    std::wstring allFilesName; // the second entry, for "*.*"
};

// False when the user cancels. The current directory is left as it was: the
// program's own files are found through it.
bool ChooseFileToOpen(HWND owner, const FileFilter& filter, std::wstring& path);
// Asks before replacing an existing file; a name without extension gets the
// filter's.
bool ChooseFileToSave(HWND owner, const FileFilter& filter, std::wstring& path);

}  // namespace win
