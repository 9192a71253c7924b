// The language list behind the Language menu and the rules that pick a
// language, kept apart from the window so they can be checked on their own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "i18n/LanguageFile.h"

namespace lang {

inline constexpr wchar_t kSimplifiedChineseFile[] = L"Chinese Simplified.ini";
inline constexpr wchar_t kTraditionalChineseFile[] = L"Chinese Traditional.ini";

// Menu command of list index 0 ("English"); index i has kFirstCommand + i.
inline constexpr UINT kFirstCommand = 35000;

// Language file names; index 0 is always the built-in "English.ini". An index
// is -1 when its file is not listed.
struct LanguageList {
    std::vector<std::wstring> names;
    int simplifiedChinese = -1;
    int traditionalChinese = -1;
    int saved = -1;
};

// Builds the list from the name saved in Settings.ini and the file names found
// in the Language folder, in the order found. All comparisons are exact and
// case-sensitive; a folder copy of "English.ini" adds no second English entry.
LanguageList BuildLanguageList(const std::wstring& savedName, const std::vector<std::wstring>& fileNames);

// Names of the files (not folders) matching Language\*.ini, in the order the
// platform returns them; empty when the folder is missing.
std::vector<std::wstring> EnumerateLanguageFiles(const std::wstring& languageFolder);

// Whether a listed language can be applied: English has its texts built in,
// any other needs its file at the path.
bool CanApply(const std::wstring& fileName, const std::wstring& path);

enum class DefaultLanguage { English, SimplifiedChinese, TraditionalChinese };

// Chinese systems get their script when the language id says which; every
// other id, other Chinese variants included, gets English.
DefaultLanguage DefaultLanguageFor(LANGID systemLanguage);

// List index of a Language menu command, or -1 when the command is not one.
int IndexOfCommand(UINT commandId, std::size_t listSize);

// Caption of the Language submenu for the applied file: "&Language" for
// the built-in English (the file is not read), else "Language / " and the
// file's SetLanguage text.
std::wstring LanguageSubmenuCaption(const std::wstring& fileName, const text::LanguageFile& languageFile);
std::wstring LanguageSubmenuCaption(const std::wstring& fileName, const std::wstring& languageFilePath);

}  // namespace lang
