#include "browser/Layout.h"

#include <windows.h>
#include <shlwapi.h>

namespace browser {

std::wstring EngineSettingsPath(const std::wstring& dataFolder)
{
    return dataFolder + L"Temp\\WebKit\\WKSetting.ini";
}

std::wstring AccountConfigPath(const std::wstring& dataFolder, const std::wstring& account)
{
    return dataFolder + L"Users\\" + account + L"\\Config\\config.ini";
}

std::wstring UsersSearchPattern(const std::wstring& dataFolder)
{
    return dataFolder + L"Users\\*.*";
}

bool IsDataFolder(const std::wstring& folder)
{
    return ::PathFileExistsW(EngineSettingsPath(folder).c_str()) != FALSE;
}

}  // namespace browser
