#include "app/Settings.h"

#include <windows.h>

#include "ini/Ini.h"

namespace settings {
namespace {

constexpr wchar_t kSection[] = L"General";
constexpr wchar_t kDataFolderKey[] = L"DataFolder";
constexpr wchar_t kLanguageFileKey[] = L"LanguageFile";
constexpr DWORD kPathCapacity = MAX_PATH;

// The file is made able to hold any text first: a folder or language name
// outside the system's code page would otherwise come back as question marks.
bool WriteSetting(const std::wstring& workingFolder, const wchar_t* key, const std::wstring& value)
{
    const std::wstring file = SettingsPath(workingFolder);
    return ini::MakeRoomFor(file, value) && ini::WriteText(file, kSection, key, value);
}

}  // namespace

std::wstring WithTrailingBackslash(std::wstring folder)
{
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring GetWorkingFolder()
{
    // A current directory longer than MAX_PATH is taken whole rather than cut:
    // a cut path would name some other folder.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return L".\\";
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length + 1);
    }
    return WithTrailingBackslash(std::move(buffer));
}

std::wstring SettingsPath(const std::wstring& workingFolder)
{
    return workingFolder + L"Settings.ini";
}

std::wstring LanguageFolder(const std::wstring& workingFolder)
{
    return workingFolder + L"Language\\";
}

std::wstring LanguageFilePath(const std::wstring& workingFolder, const std::wstring& fileName)
{
    return LanguageFolder(workingFolder) + fileName;
}

std::wstring ReadDataFolder(const std::wstring& workingFolder)
{
    return ini::ReadText(SettingsPath(workingFolder), kSection, kDataFolderKey, L"", kPathCapacity);
}

bool WriteDataFolder(const std::wstring& workingFolder, const std::wstring& dataFolder)
{
    return WriteSetting(workingFolder, kDataFolderKey, dataFolder);
}

std::wstring ReadLanguageFile(const std::wstring& workingFolder)
{
    return ini::ReadText(SettingsPath(workingFolder), kSection, kLanguageFileKey, L"", kPathCapacity);
}

bool WriteLanguageFile(const std::wstring& workingFolder, const std::wstring& fileName)
{
    return WriteSetting(workingFolder, kLanguageFileKey, fileName);
}

std::wstring SavedLanguageFilePath(const std::wstring& workingFolder)
{
    // A language is a file of the Language folder: a stored name that reaches
    // elsewhere (a folder part, a drive) is read as no name, that is English.
    std::wstring name = ReadLanguageFile(workingFolder);
    if (name.find_first_of(L"\\/:") != std::wstring::npos) name.clear();
    return LanguageFilePath(workingFolder, name);
}

}  // namespace settings
