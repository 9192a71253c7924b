// The command line of a run without a window: which job, on which files.
#pragma once

#include <string>
#include <vector>

namespace cli {

enum class Job { Help, Export, Import, Check, Backups, Restore };

struct Arguments {
    Job job = Job::Help;
    std::wstring file;        // the profile; for Restore, the backup's name or "latest"
    std::wstring account;     // empty: none named
    bool allAccounts = false;
    std::wstring dataFolder;  // empty: the one in Settings.ini
};

// Reads the arguments after the program's name. Options start with "/", "-"
// or "--" and match without regard to case; "/?", "/h" and "/help" ask for the
// usage whatever else stands beside them. False with the offending argument
// (or the missing one, in words) in `problem`.
bool ParseArguments(const std::vector<std::wstring>& args, Arguments& parsed, std::wstring& problem);

}  // namespace cli
