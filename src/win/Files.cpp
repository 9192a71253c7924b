#include "win/Files.h"

#include <windows.h>

#include <atomic>
#include <climits>

#include "win/Handles.h"

namespace win {
namespace {

constexpr wchar_t kTemporarySuffix[] = L".velltune-tmp";

}  // namespace

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CanReadFile(const std::wstring& path)
{
    KernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    KernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > INT_MAX) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return false;
    return read == bytes.size();
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes)
{
    if (bytes.size() > INT_MAX) return false;
    KernelHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (!bytes.empty() && !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return false;
    return written == bytes.size() && ::FlushFileBuffers(file.Get());
}

bool FlushFile(const std::wstring& path)
{
    KernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.Get());
}

std::wstring TemporaryPathFor(const std::wstring& original)
{
    static std::atomic<unsigned> count{0};
    return original + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++count) +
           kTemporarySuffix;
}

void RemoveTemporaries(const std::wstring& original)
{
    // "<name>.*.velltune-tmp", and "<name>.velltune-tmp" of earlier versions;
    // the pattern also matches short names, so each long name is checked.
    const size_t slash = original.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : original.substr(0, slash + 1);
    const std::wstring name = original.substr(folder.size());
    const std::wstring suffix = kTemporarySuffix;
    WIN32_FIND_DATAW found{};
    FindHandle find(::FindFirstFileW((original + L"*" + suffix).c_str(), &found));
    if (!find) return;
    do {
        const std::wstring candidate = found.cFileName;
        if (candidate.size() < name.size() + suffix.size() ||
            ::CompareStringOrdinal(candidate.c_str(), static_cast<int>(name.size()), name.c_str(), -1, TRUE) != CSTR_EQUAL ||
            ::CompareStringOrdinal(candidate.c_str() + candidate.size() - suffix.size(), -1, suffix.c_str(), -1, TRUE) !=
                CSTR_EQUAL)
            continue;
        const std::wstring middle = candidate.substr(name.size(), candidate.size() - name.size() - suffix.size());
        if (!middle.empty() && middle[0] != L'.') continue;  // another file's copy, "<name>x.velltune-tmp"
        ::DeleteFileW((folder + candidate).c_str());
    } while (::FindNextFileW(find.Get(), &found));
}

bool ReplaceWith(const std::wstring& original, const std::wstring& replacement)
{
    // A rename over the original on the same volume is one step: the name
    // always points at a whole file. ReplaceFileW is not used: one platform's
    // version takes the original's name away before the new file gets it, so
    // a kill in between can leave no file at all. The copy already carries
    // the original's attributes (CopyFileW made it).
    return RetryWhileInUse([&] {
        return ::MoveFileExW(replacement.c_str(), original.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
               FALSE;
    });
}

bool RetryWhileInUse(const std::function<bool()>& step)
{
    constexpr int kTries = 40;
    constexpr DWORD kPauseMs = 50;
    for (int attempt = 1;; ++attempt) {
        if (step()) return true;
        const DWORD error = ::GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION) ||
            attempt == kTries)
            return false;
        ::Sleep(kPauseMs);
    }
}

}  // namespace win
