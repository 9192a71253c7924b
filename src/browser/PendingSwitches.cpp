#include "browser/PendingSwitches.h"

#include "browser/Layout.h"

namespace browser {

std::optional<NewTabSettings> PendingSwitches::Find(const std::wstring& account) const
{
    const auto found = pending_.find(account);
    if (found == pending_.end()) return std::nullopt;
    return found->second;
}

bool PendingSwitches::Save(const std::wstring& dataFolder,
                           const std::function<void(const std::wstring& account)>& onFailure)
{
    bool allSaved = true;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->second.Save(AccountConfigPath(dataFolder, it->first))) {
            it = pending_.erase(it);
            continue;
        }
        onFailure(it->first);
        allSaved = false;
        ++it;
    }
    return allSaved;
}

}  // namespace browser
