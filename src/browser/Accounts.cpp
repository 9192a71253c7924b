#include "browser/Accounts.h"

#include <windows.h>

#include "browser/Layout.h"
#include "win/Handles.h"

namespace browser {

std::vector<std::wstring> ListAccounts(const std::wstring& dataFolder)
{
    std::vector<std::wstring> accounts;
    WIN32_FIND_DATAW entry{};
    win::FindHandle search(::FindFirstFileW(UsersSearchPattern(dataFolder).c_str(), &entry));
    if (!search) return accounts;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        accounts.push_back(name);
    } while (::FindNextFileW(search.Get(), &entry));
    return accounts;
}

}  // namespace browser
