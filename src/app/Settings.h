// The working folder and the program's own Settings.ini in it.
#pragma once

#include <string>

namespace settings {

// The process's current directory, always ending in "\" (a drive root keeps
// its single backslash). Settings.ini and Language\ are looked up here, not
// beside the executable.
std::wstring GetWorkingFolder();

std::wstring WithTrailingBackslash(std::wstring folder);

std::wstring SettingsPath(const std::wstring& workingFolder);
std::wstring LanguageFolder(const std::wstring& workingFolder);
std::wstring LanguageFilePath(const std::wstring& workingFolder, const std::wstring& fileName);

std::wstring ReadDataFolder(const std::wstring& workingFolder);
bool WriteDataFolder(const std::wstring& workingFolder, const std::wstring& dataFolder);

// Read with the capacity of a path, so that a long file name written at one
// start is still recognised at the next.
std::wstring ReadLanguageFile(const std::wstring& workingFolder);
bool WriteLanguageFile(const std::wstring& workingFolder, const std::wstring& fileName);

// The language file that the data-folder dialog and the About box read: the
// one last written under LanguageFile, not tested for existence. A stored
// name with a folder or drive part is not followed out of Language\.
std::wstring SavedLanguageFilePath(const std::wstring& workingFolder);

}  // namespace settings
