// Paths inside the browser data folder. The folder text always ends in "\";
// every path is that text followed directly by a fixed tail.
#pragma once

#include <string>

namespace browser {

std::wstring EngineSettingsPath(const std::wstring& dataFolder);  // Temp\WebKit\WKSetting.ini
std::wstring AccountConfigPath(const std::wstring& dataFolder, const std::wstring& account);
std::wstring UsersSearchPattern(const std::wstring& dataFolder);  // Users\*.*

// A folder is a browser data folder when its engine settings file exists.
bool IsDataFolder(const std::wstring& folder);

}  // namespace browser
