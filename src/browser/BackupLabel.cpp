#include "browser/BackupLabel.h"

#include <windows.h>

#include <vector>

#include "win/Text.h"

namespace browser {
namespace {

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The path's parts between backslashes.
std::vector<std::wstring> PathParts(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find(L'\\', start);
        parts.push_back(path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

std::wstring BackupFileLabel(const std::wstring& originalPath, const std::wstring& configOfAccount)
{
    // An account's file is Users\<account>\Config\config.ini of the data folder.
    const std::vector<std::wstring> parts = PathParts(originalPath);
    const size_t n = parts.size();
    if (n >= 4 && SameText(parts[n - 1], L"config.ini") && SameText(parts[n - 2], L"Config") &&
        SameText(parts[n - 4], L"Users") && !parts[n - 3].empty())
        return win::FormatPlaceholders(configOfAccount, {parts[n - 3]});
    return parts.back();
}

std::wstring BackupLine(const backups::Backup& backup, const std::wstring& configOfAccount)
{
    backups::Stamp stamp;
    std::wstring line;
    if (backups::ParseName(backup.name, stamp)) {
        // The folder's "hh-mm-ss" shown as a time.
        line = stamp.time;
        line[13] = L':';
        line[16] = L':';
        if (stamp.count > 1) line += L" (" + std::to_wstring(stamp.count) + L")";
    } else {
        line = backup.name;
    }
    return line + L"  " + BackupContents(backup, configOfAccount);
}

std::wstring BackupContents(const backups::Backup& backup, const std::wstring& configOfAccount)
{
    std::wstring contents;
    for (size_t i = 0; i < backup.files.size(); ++i) {
        if (i) contents += L", ";
        contents += BackupFileLabel(backup.files[i].originalPath, configOfAccount);
    }
    return contents;
}

}  // namespace browser
