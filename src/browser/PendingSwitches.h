// The new-tab switches the user changed, per account, kept for the life of
// the main window: choosing another account loses none of them, and a save
// writes every account that has any.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "browser/SmoothScrollSettings.h"

namespace browser {

class PendingSwitches {
public:
    // The account's switches as the user left them.
    void Keep(const std::wstring& account, const NewTabSettings& switches) { pending_[account] = switches; }
    std::optional<NewTabSettings> Find(const std::wstring& account) const;

    // Writes each account's switches into its config.ini below the data
    // folder, in name order, and forgets those written. An account whose write
    // fails is passed to the callback and stays pending; false when any failed.
    bool Save(const std::wstring& dataFolder, const std::function<void(const std::wstring& account)>& onFailure);

private:
    std::map<std::wstring, NewTabSettings> pending_;
};

}  // namespace browser
