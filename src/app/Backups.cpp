#include "app/Backups.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "app/SaveTransaction.h"
#include "ini/Ini.h"
#include "win/Files.h"
#include "win/Handles.h"

namespace backups {
namespace {

constexpr wchar_t kListFile[] = L"Backup.ini";
constexpr wchar_t kListSection[] = L"Files";
constexpr DWORD kPathCapacity = 32768;
constexpr unsigned kMaxCount = 9999;

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool Newer(const Stamp& a, const Stamp& b)
{
    if (a.time != b.time) return a.time > b.time;
    return a.count > b.count;
}

std::wstring FileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The names of the folders below the root that are backups', with their stamps.
std::vector<std::pair<std::wstring, Stamp>> BackupFolders(const std::wstring& root)
{
    std::vector<std::pair<std::wstring, Stamp>> folders;
    WIN32_FIND_DATAW entry{};
    win::FindHandle search(::FindFirstFileW((root + L"*").c_str(), &entry));
    if (!search) return folders;
    do {
        Stamp stamp;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ParseName(entry.cFileName, stamp))
            folders.emplace_back(entry.cFileName, stamp);
    } while (::FindNextFileW(search.Get(), &entry));
    std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) { return Newer(a.second, b.second); });
    return folders;
}

// Deletes the files of a backup folder and the folder itself.
void DeleteBackupFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry{};
    {
        win::FindHandle search(::FindFirstFileW((folder + L"*").c_str(), &entry));
        if (search) {
            do {
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileW((folder + entry.cFileName).c_str());
            } while (::FindNextFileW(search.Get(), &entry));
        }
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A new, empty backup folder named after this second, counted on past every
// backup of the same second, so that it always sorts as the newest.
std::wstring CreateBackupFolder(const std::wstring& root)
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t time[32];
    std::swprintf(time, std::size(time), L"%04u-%02u-%02u %02u-%02u-%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    unsigned count = 1;
    for (const auto& [name, stamp] : BackupFolders(root))
        if (stamp.time == time) count = std::max(count, stamp.count + 1);
    for (; count <= kMaxCount; ++count) {
        std::wstring name = time;
        if (count > 1) name += L"-" + std::to_wstring(count);
        const std::wstring folder = root + name + L"\\";
        if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

// The original's own name, or one with a count when another file of the
// backup (or its list) already has it: two accounts' config.ini, say.
std::wstring StoredName(const std::wstring& original, const std::vector<std::wstring>& taken)
{
    const std::wstring name = FileName(original);
    const auto isTaken = [&taken](const std::wstring& candidate) {
        if (SameName(candidate, kListFile)) return true;
        return std::any_of(taken.begin(), taken.end(), [&](const std::wstring& t) { return SameName(t, candidate); });
    };
    if (!isTaken(name)) return name;
    const size_t dot = name.find_last_of(L'.');
    const std::wstring stem = dot == std::wstring::npos ? name : name.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? L"" : name.substr(dot);
    for (unsigned n = 2;; ++n) {
        std::wstring candidate = stem + L"-" + std::to_wstring(n) + extension;
        if (!isTaken(candidate)) return candidate;
    }
}

bool ReadBackup(const std::wstring& root, const std::wstring& name, Backup& backup)
{
    backup.name = name;
    backup.folder = root + name + L"\\";
    const std::wstring list = backup.folder + kListFile;
    if (!win::FileExists(list)) return false;
    for (const std::wstring& key : ini::ReadKeys(list, kListSection)) {
        BackupFile file{key, ini::ReadText(list, kListSection, key.c_str(), L"", kPathCapacity)};
        if (file.originalPath.empty() || !win::FileExists(backup.folder + file.storedName)) return false;
        backup.files.push_back(std::move(file));
    }
    return !backup.files.empty();
}

// Deletes every backup folder beyond the newest kKept complete ones; the
// incomplete folders that dead saves left go with them. Its list is renamed
// into place last, so a folder that has one is complete.
void Prune(const std::wstring& root)
{
    std::size_t kept = 0;
    for (const auto& [name, stamp] : BackupFolders(root)) {
        if (kept < kKept && win::FileExists(root + name + L"\\" + kListFile)) {
            ++kept;
            continue;
        }
        DeleteBackupFolder(root + name + L"\\");
    }
}

}  // namespace

std::wstring BackupRoot(const std::wstring& workingFolder)
{
    return workingFolder + L"Backup\\";
}

bool ParseName(const std::wstring& name, Stamp& stamp)
{
    // yyyy-mm-dd hh-mm-ss
    constexpr wchar_t kPattern[] = L"dddd-dd-dd dd-dd-dd";
    constexpr size_t kTimeLength = std::size(kPattern) - 1;
    if (name.size() < kTimeLength) return false;
    for (size_t i = 0; i < kTimeLength; ++i) {
        if (kPattern[i] == L'd' ? !IsDigit(name[i]) : name[i] != kPattern[i]) return false;
    }
    stamp.time = name.substr(0, kTimeLength);
    stamp.count = 1;
    if (name.size() == kTimeLength) return true;
    // "-n": a count from 2 on, without leading zeros.
    const std::wstring count = name.substr(kTimeLength);
    if (count.size() < 2 || count.size() > 5 || count[0] != L'-' || count[1] == L'0') return false;
    unsigned value = 0;
    for (size_t i = 1; i < count.size(); ++i) {
        if (!IsDigit(count[i])) return false;
        value = value * 10 + static_cast<unsigned>(count[i] - L'0');
    }
    if (value < 2) return false;
    stamp.count = value;
    return true;
}

bool Keep(const std::wstring& root, const std::vector<std::wstring>& originals)
{
    ::CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring folder = CreateBackupFolder(root);
    if (folder.empty()) return false;

    // The list is written under a working name and renamed last, so that a
    // backup with a list is a complete one.
    const std::wstring list = folder + kListFile;
    const std::wstring listCopy = win::TemporaryPathFor(list);
    bool complete = ini::CreateUnicodeFile(listCopy);
    std::vector<std::wstring> taken;
    for (const std::wstring& original : originals) {
        if (!complete) break;
        const std::wstring stored = StoredName(original, taken);
        taken.push_back(stored);
        complete = ::CopyFileW(original.c_str(), (folder + stored).c_str(), FALSE) &&
                   ini::WriteText(listCopy, kListSection, stored.c_str(), original);
    }
    complete = complete && ::MoveFileExW(listCopy.c_str(), list.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!complete) {
        DeleteBackupFolder(folder);
        return false;
    }
    Prune(root);
    return true;
}

std::vector<Backup> List(const std::wstring& root)
{
    std::vector<Backup> backups;
    for (const auto& [name, stamp] : BackupFolders(root)) {
        Backup backup;
        if (ReadBackup(root, name, backup)) backups.push_back(std::move(backup));
    }
    return backups;
}

bool Restore(const std::wstring& dataFolder, const std::wstring& root, const Backup& backup)
{
    safesave::SaveTransaction save(dataFolder, root);
    for (const BackupFile& file : backup.files)
        if (save.PrepareFrom(file.originalPath, backup.folder + file.storedName).empty()) return false;
    return save.Commit();
}

}  // namespace backups
