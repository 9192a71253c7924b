#include "browser/PendingSwitches.h"

#include "browser/Layout.h"

namespace browser {

std::optional<NewTabSettings> PendingSwitches::Find(const std::wstring& account) const
{
    const auto found = pending_.find(account);
    if (found == pending_.end()) return std::nullopt;
    return found->second;
}

bool PendingSwitches::Write(const std::wstring& dataFolder,
                            const std::function<std::wstring(const std::wstring& configFile)>& fileFor,
                            const Merge& merge) const
{
    for (const auto& [account, switches] : pending_) {
        const std::wstring file = fileFor(AccountConfigPath(dataFolder, account));
        if (file.empty() || !(merge ? merge(account, switches, file) : switches).Save(file)) return false;
    }
    return true;
}

}  // namespace browser
