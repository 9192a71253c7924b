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

    // What goes into an account's file in place of its pending switches,
    // given that file as it stands.
    using Merge = std::function<NewTabSettings(const std::wstring& account, const NewTabSettings& pending,
                                               const std::wstring& file)>;

    // Writes each account's switches (or what merge makes of them), in name
    // order, into the file that fileFor gives for its config.ini below the
    // data folder (a save's working copy; empty when there is none). False at
    // the first that fails.
    bool Write(const std::wstring& dataFolder, const std::function<std::wstring(const std::wstring& configFile)>& fileFor,
               const Merge& merge = {}) const;
    // Forgets every account's switches, once the save that wrote them landed.
    void Clear() { pending_.clear(); }

private:
    std::map<std::wstring, NewTabSettings> pending_;
};

}  // namespace browser
