// A run without a window: one job named by the command line, its lines
// printed, and an exit code that a deployment script can act on.
#pragma once

#include <string>
#include <vector>

namespace cli {

enum ExitCode : int {
    kDone = 0,
    kWrongArguments = 1,
    kBadProfile = 2,      // missing, unreadable or invalid
    kNoDataFolder = 3,
    kBrowserRunning = 4,
    kWriteFailed = 5,     // nothing was changed, or the files saved and not saved are named
    kNoAccount = 6,       // no such account, or it has no config.ini
    kBusy = 7,            // another save held the data folder for the whole wait; nothing was touched
    kSettingsDiffer = 8,  // /check: the files do not hold every setting of the profile
    kNoSuchBackup = 9,
};

// The arguments after the program's name; texts come from the language that
// Settings.ini in the working folder names.
int Run(const std::vector<std::wstring>& args);

}  // namespace cli
