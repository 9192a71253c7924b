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
constexpr wchar_t kOrderSection[] = L"Backup";
constexpr wchar_t kOrderKey[] = L"Order";
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

std::wstring FileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A folder below the root that is a backup's, with its place among them.
struct Folder {
    std::wstring name;
    Stamp stamp;
    int order = 0;  // in the order of the saves; 0 when the backup has none
};

bool Newer(const Folder& a, const Folder& b)
{
    if (a.order != b.order) return a.order > b.order;
    if (a.stamp.time != b.stamp.time) return a.stamp.time > b.stamp.time;
    return a.stamp.count > b.stamp.count;
}

// The backup folders below the root, newest first.
std::vector<Folder> BackupFolders(const std::wstring& root)
{
    std::vector<Folder> folders;
    WIN32_FIND_DATAW entry{};
    win::FindHandle search(::FindFirstFileW((root + L"*").c_str(), &entry));
    if (!search) return folders;
    do {
        Folder folder;
        folder.name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !ParseName(folder.name, folder.stamp)) continue;
        folder.order = ini::ReadInt(root + folder.name + L"\\" + kListFile, kOrderSection, kOrderKey, 0);
        folders.push_back(std::move(folder));
    } while (::FindNextFileW(search.Get(), &entry));
    std::sort(folders.begin(), folders.end(), Newer);
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
// backup of the same second; its name, or empty when none can be made.
std::wstring CreateBackupFolder(const std::wstring& root, const std::vector<Folder>& existing)
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t time[32];
    std::swprintf(time, std::size(time), L"%04u-%02u-%02u %02u-%02u-%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    unsigned count = 1;
    for (const Folder& folder : existing)
        if (folder.stamp.time == time) count = std::max(count, folder.stamp.count + 1);
    for (; count <= kMaxCount; ++count) {
        std::wstring name = time;
        if (count > 1) name += L"-" + std::to_wstring(count);
        if (::CreateDirectoryW((root + name + L"\\").c_str(), nullptr)) return name;
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

// Deletes every backup folder beyond the newest kKept complete ones, the
// one just made always kept; the incomplete folders that dead saves left go
// with them. Its list is renamed into place last, so a folder that has one is
// complete.
void Prune(const std::wstring& root, const std::wstring& made)
{
    std::size_t kept = 1;
    for (const Folder& folder : BackupFolders(root)) {
        if (SameName(folder.name, made)) continue;
        if (kept < kKept && win::FileExists(root + folder.name + L"\\" + kListFile)) {
            ++kept;
            continue;
        }
        DeleteBackupFolder(root + folder.name + L"\\");
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

std::wstring Make(const std::wstring& root, const std::vector<std::wstring>& originals)
{
    ::CreateDirectoryW(root.c_str(), nullptr);
    const std::vector<Folder> existing = BackupFolders(root);
    const std::wstring name = CreateBackupFolder(root, existing);
    if (name.empty()) return {};
    const std::wstring folder = root + name + L"\\";
    int order = 1;
    for (const Folder& f : existing) order = std::max(order, f.order + 1);

    // The list is written under a working name and renamed last, so that a
    // backup with a list is a complete one. Every file is on the disk before
    // the save replaces any original.
    const std::wstring list = folder + kListFile;
    const std::wstring listCopy = win::TemporaryPathFor(list);
    bool complete =
        ini::CreateUnicodeFile(listCopy) && ini::WriteText(listCopy, kOrderSection, kOrderKey, std::to_wstring(order));
    std::vector<std::wstring> taken;
    for (const std::wstring& original : originals) {
        if (!complete) break;
        const std::wstring stored = StoredName(original, taken);
        taken.push_back(stored);
        complete = ::CopyFileW(original.c_str(), (folder + stored).c_str(), FALSE) && win::FlushFile(folder + stored) &&
                   ini::WriteText(listCopy, kListSection, stored.c_str(), original);
    }
    complete = complete && win::FlushFile(listCopy) &&
               ::MoveFileExW(listCopy.c_str(), list.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!complete) {
        DeleteBackupFolder(folder);
        return {};
    }
    return name;
}

void Settle(const std::wstring& root, const std::wstring& made, bool anyReplaced)
{
    if (anyReplaced)
        Prune(root, made);
    else
        DeleteBackupFolder(root + made + L"\\");
}

std::vector<Backup> List(const std::wstring& root)
{
    std::vector<Backup> backups;
    for (const Folder& folder : BackupFolders(root)) {
        Backup backup;
        if (ReadBackup(root, folder.name, backup)) backups.push_back(std::move(backup));
    }
    return backups;
}

bool Restore(const std::wstring& dataFolder, const std::wstring& root, const Backup& backup,
             safesave::SaveFailure& failure)
{
    safesave::SaveTransaction save(dataFolder, root);
    for (const BackupFile& file : backup.files) {
        if (save.PrepareFrom(file.originalPath, backup.folder + file.storedName).empty()) {
            failure = save.Failed(file.originalPath);
            return false;
        }
    }
    const bool committed = save.Commit();
    failure = save.Failed(backup.files.empty() ? L"" : backup.files.front().originalPath);
    return committed;
}

}  // namespace backups
