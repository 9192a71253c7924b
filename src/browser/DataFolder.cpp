#include "browser/DataFolder.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/Settings.h"
#include "browser/Layout.h"

namespace datafolder {

bool DefaultDataFolder(std::wstring& folder)
{
    wchar_t appData[MAX_PATH] = {};
    if (::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return false;
    folder = settings::WithTrailingBackslash(appData) + L"Nerovia3\\";
    return true;
}

bool TakeStored(std::wstring& folder)
{
    if (folder.empty()) return false;
    std::wstring complete = settings::WithTrailingBackslash(folder);
    if (!browser::IsDataFolder(complete)) return false;
    folder = std::move(complete);
    return true;
}

void CompleteStored(const std::wstring& workingFolder, const std::wstring& dataFolder)
{
    const std::wstring stored = settings::ReadDataFolder(workingFolder);
    if (!stored.empty() && stored != dataFolder && settings::WithTrailingBackslash(stored) == dataFolder)
        settings::WriteDataFolder(workingFolder, dataFolder);
}

Located Locate(const std::wstring& workingFolder, std::wstring& dataFolder)
{
    dataFolder = settings::ReadDataFolder(workingFolder);
    if (TakeStored(dataFolder)) return Located::Stored;

    std::wstring candidate;
    if (!DefaultDataFolder(candidate)) return Located::NoAppData;
    if (!browser::IsDataFolder(candidate)) {
        dataFolder.clear();
        return Located::NotFound;
    }
    dataFolder = candidate;
    // Remembered for the next start; the folder is good for this run either way.
    settings::WriteDataFolder(workingFolder, dataFolder);
    return Located::Default;
}

Candidate CheckCandidate(std::wstring& folder)
{
    if (folder.empty()) return Candidate::Empty;
    folder = settings::WithTrailingBackslash(std::move(folder));
    return browser::IsDataFolder(folder) ? Candidate::Valid : Candidate::NotDataFolder;
}

std::wstring BrowseStart(const std::wstring& fieldText)
{
    std::wstring folder = fieldText;
    if (folder.empty() && !DefaultDataFolder(folder)) return {};
    if (::PathIsRelativeW(folder.c_str())) return {};
    while (!::PathIsDirectoryW(folder.c_str())) {
        while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
        const size_t cut = folder.find_last_of(L"\\/");
        if (cut == std::wstring::npos) return {};
        folder.resize(cut + 1);
    }
    // The browser takes "C:\\" with its backslash, any other folder without.
    ::PathRemoveBackslashW(folder.data());
    folder.resize(::wcslen(folder.c_str()));
    return folder;
}

}  // namespace datafolder
