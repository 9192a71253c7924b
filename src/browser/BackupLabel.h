// How the restore list names a backup: its date and time, then the browser
// files it holds ("WKSetting.ini", "config.ini of bob").
#pragma once

#include <string>

#include "app/Backups.h"

namespace browser {

// The file's own name; an account's config.ini also names its account
// through the pattern, where "%1" stands for the account.
std::wstring BackupFileLabel(const std::wstring& originalPath, const std::wstring& configOfAccount);

// "yyyy-mm-dd hh:mm:ss" (with " (n)" for the n-th backup of that second),
// two spaces, and the labels of its files separated by ", ".
std::wstring BackupLine(const backups::Backup& backup, const std::wstring& configOfAccount);

// The labels of its files alone, separated by ", ".
std::wstring BackupContents(const backups::Backup& backup, const std::wstring& configOfAccount);

}  // namespace browser
