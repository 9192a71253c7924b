#include "win/Files.h"

#include <windows.h>

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
    return original + kTemporarySuffix;
}

void RemoveStaleTemporary(const std::wstring& original)
{
    ::DeleteFileW(TemporaryPathFor(original).c_str());
}

bool ReplaceWith(const std::wstring& original, const std::wstring& replacement)
{
    // A rename over the original on the same volume is one step: the name
    // always points at a whole file. ReplaceFileW is not used: one platform's
    // version takes the original's name away before the new file gets it, so
    // a kill in between can leave no file at all. The copy already carries
    // the original's attributes (CopyFileW made it).
    return ::MoveFileExW(replacement.c_str(), original.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

}  // namespace win
