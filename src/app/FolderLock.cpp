#include "app/FolderLock.h"

#include <lmcons.h>

#include <algorithm>
#include <string_view>

#include "win/Files.h"

namespace safesave {
namespace {

// The locked byte lies past the holder's record: readers of the record never
// meet the lock, which Windows enforces on reads and writes.
constexpr ULONGLONG kLockOffset = 0x10000;
// The record is always written whole at this size, so that a shorter one
// never leaves the end of a longer one behind (no truncation near a lock).
constexpr DWORD kRecordBytes = 2048;
constexpr DWORD kPollMs = 50;

std::wstring LockFilePath(const std::wstring& folder)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + kLockFileName;
}

bool TryLock(HANDLE file)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(kLockOffset);
    at.OffsetHigh = static_cast<DWORD>(kLockOffset >> 32);
    return ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != FALSE;
}

// Lets the thread's windows paint and answer sent messages for a while.
void PaintFor(DWORD ms)
{
    if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_PAINT | QS_SENDMESSAGE) != WAIT_OBJECT_0) return;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
}

Holder Myself()
{
    Holder self;
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = static_cast<DWORD>(std::size(computer));
    if (::GetComputerNameW(computer, &size)) self.computer.assign(computer, size);
    wchar_t user[UNLEN + 1];
    size = static_cast<DWORD>(std::size(user));
    if (::GetUserNameW(user, &size) && size > 0) self.user.assign(user, size - 1);
    self.processId = ::GetCurrentProcessId();
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    self.since = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return self;
}

std::wstring RecordText(const Holder& holder)
{
    return L"\xFEFF" L"Velltune saves into this folder one at a time; this file tells who saves now.\r\n"
           L"Computer=" + holder.computer + L"\r\nUser=" + holder.user + L"\r\nProcess=" +
           std::to_wstring(holder.processId) + L"\r\nSince=" + std::to_wstring(holder.since) + L"\r\n";
}

bool WriteRecord(HANDLE file, const Holder& holder)
{
    std::wstring text = RecordText(holder);
    text.resize(kRecordBytes / sizeof(wchar_t), L'\0');
    OVERLAPPED at{};
    DWORD written = 0;
    return ::WriteFile(file, text.data(), kRecordBytes, &written, &at) && written == kRecordBytes;
}

ULONGLONG Number(std::wstring_view text)
{
    ULONGLONG value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 0;
        value = value * 10 + static_cast<ULONGLONG>(c - L'0');
    }
    return value;
}

Holder ParseRecord(std::wstring_view text)
{
    Holder holder;
    while (!text.empty()) {
        const size_t end = text.find(L"\r\n");
        const std::wstring_view line = text.substr(0, end);
        text = end == std::wstring_view::npos ? std::wstring_view{} : text.substr(end + 2);
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) continue;
        const std::wstring_view key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == L"Computer") holder.computer = value;
        else if (key == L"User") holder.user = value;
        else if (key == L"Process") holder.processId = static_cast<DWORD>(Number(value));
        else if (key == L"Since") holder.since = Number(value);
    }
    return holder;
}

}  // namespace

LockResult FolderLock::Acquire(const std::wstring& folder, DWORD waitMs)
{
    if (held_) return LockResult::Held;
    other_ = {};
    const std::wstring path = LockFilePath(folder);
    // Shared in every way: the lock, not the open, keeps saves apart, and a
    // share mode would hold only on this computer.
    win::KernelHandle file;
    win::RetryWhileInUse([&] {
        file.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file);
    });
    if (!file) return LockResult::Failed;
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    while (!TryLock(file.Get())) {
        if (::GetLastError() != ERROR_LOCK_VIOLATION) return LockResult::Failed;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) {
            other_ = ReadHolder(folder);
            return LockResult::Busy;
        }
        PaintFor(static_cast<DWORD>(std::min<ULONGLONG>(kPollMs, end - now)));
    }
    // The record also tells this process which folders it holds (Holds).
    self_ = Myself();
    if (!WriteRecord(file.Get(), self_)) return LockResult::Failed;
    file_ = std::move(file);
    held_ = true;
    return LockResult::Held;
}

void FolderLock::Release()
{
    // Closing the handle lets go of its lock.
    file_.Reset();
    held_ = false;
}

bool FolderLock::Holds(const std::wstring& folder) const
{
    return held_ && ReadHolder(folder) == self_;
}

Holder ReadHolder(const std::wstring& folder)
{
    win::KernelHandle file(::CreateFileW(LockFilePath(folder).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::wstring text(kRecordBytes / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), text.data(), kRecordBytes, &read, nullptr)) return {};
    text.resize(read / sizeof(wchar_t));
    text.resize(std::wstring_view(text.c_str()).size());  // up to the padding
    if (text.empty() || text.front() != L'\xFEFF') return {};
    return ParseRecord(std::wstring_view(text).substr(1));
}

std::wstring LocalTimeText(ULONGLONG utcFileTime)
{
    const FILETIME utc{static_cast<DWORD>(utcFileTime), static_cast<DWORD>(utcFileTime >> 32)};
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return {};
    wchar_t date[80] = L"", time[80] = L"";
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 80, nullptr);
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, time, 80);
    return std::wstring(date) + L" " + time;
}

void RemoveStaleCopies(const std::wstring& dataFolder, const std::wstring& file)
{
    // Without a lock file no save of this version ran there; a read makes
    // none, and what older ones left goes with the next save.
    if (!win::FileExists(LockFilePath(dataFolder))) return;
    FolderLock lock;
    if (lock.Acquire(dataFolder, 0) == LockResult::Held) win::RemoveTemporaries(file);
}

}  // namespace safesave
