#include "app/FolderLock.h"

#include <sddl.h>

#include <cstdint>

#include "win/Files.h"

namespace safesave {
namespace {

std::wstring FullLongPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.assign(length, L'\0');
    }
    // A short (8.3) name and the long one are the same folder.
    std::wstring longPath(full.size() + MAX_PATH, L'\0');
    const DWORD length = ::GetLongPathNameW(full.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (length == 0 || length >= longPath.size()) return full;
    longPath.resize(length);
    return longPath;
}

// Waits for the handle while letting the thread's windows paint; nothing else
// is taken from the queue, so no click can start another command meanwhile.
DWORD WaitPainting(HANDLE handle, DWORD waitMs)
{
    // Nothing is taken from the queue unless there is something to wait for.
    const DWORD first = ::WaitForSingleObject(handle, 0);
    if (first != WAIT_TIMEOUT || waitMs == 0) return first;
    const ULONGLONG end = ::GetTickCount64() + waitMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_PAINT | QS_SENDMESSAGE);
        if (result != WAIT_OBJECT_0 + 1) return result;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
        if (left == 0) return ::WaitForSingleObject(handle, 0);
    }
}

}  // namespace

std::wstring LockName(const std::wstring& folder)
{
    std::wstring path = FullLongPath(folder);
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    std::wstring upper(path.size(), L'\0');
    if (!path.empty() &&
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.c_str(), static_cast<int>(path.size()), upper.data(),
                        static_cast<int>(upper.size()), nullptr, nullptr, 0) == static_cast<int>(upper.size()))
        path = upper;
    // A name holds no backslash and at most MAX_PATH characters: the path's
    // 64-bit FNV-1a hash stands for it.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : path) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t hex[17];
    for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789ABCDEF"[hash & 0xF];
    hex[16] = L'\0';
    return std::wstring(L"Global\\Velltune.DataFolder.") + hex;
}

bool FolderLock::Acquire(const std::wstring& folder, DWORD waitMs)
{
    if (held_) return true;
    if (!mutex_) {
        // Every user may wait for and release it, whoever made it first.
        SECURITY_ATTRIBUTES security{sizeof security, nullptr, FALSE};
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                                                    &descriptor, nullptr))
            security.lpSecurityDescriptor = descriptor;
        win::LocalMemory<void> owned(descriptor);
        mutex_.Reset(::CreateMutexExW(&security, LockName(folder).c_str(), 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
        if (!mutex_) return false;
    }
    const DWORD result = WaitPainting(mutex_.Get(), waitMs);
    // Abandoned: its holder died, and whatever it left is stale.
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return held_;
}

void FolderLock::Release()
{
    if (held_) ::ReleaseMutex(mutex_.Get());
    held_ = false;
}

void RemoveStaleCopies(const std::wstring& dataFolder, const std::wstring& file)
{
    FolderLock lock;
    if (lock.Acquire(dataFolder, 0)) win::RemoveTemporaries(file);
}

}  // namespace safesave
