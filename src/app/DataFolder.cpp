#include "app/DataFolder.h"

#include <windows.h>
#include <shlobj.h>

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

Located Locate(const std::wstring& workingFolder, std::wstring& dataFolder)
{
    dataFolder = settings::ReadDataFolder(workingFolder);
    if (!dataFolder.empty() && browser::IsDataFolder(dataFolder)) return Located::Stored;

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

}  // namespace datafolder
