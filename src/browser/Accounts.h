// The browser accounts of a data folder: one sub-folder of Users\ each, the
// folder's name being the account's name.
#pragma once

#include <string>
#include <vector>

namespace browser {

// Names of the account folders, in the order the directory search returns
// them; files, "." and ".." are left out, hidden and system folders are not.
// Empty when there is no Users folder.
std::vector<std::wstring> ListAccounts(const std::wstring& dataFolder);

}  // namespace browser
