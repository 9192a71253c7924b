#include "browser/Guard.h"

#include <psapi.h>

#include "win/Handles.h"

namespace browser {
namespace {

constexpr DWORD kNameCapacity = MAX_PATH;
constexpr wchar_t kBrowserExecutable[] = L"Nerovia.exe";
constexpr int kBrowserMajorVersion = 3;

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool ImageFromModules(HANDLE process, ProcessImage& image)
{
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!::EnumProcessModules(process, &first, sizeof(first), &needed)) return false;
    wchar_t buffer[kNameCapacity] = {};
    if (!::GetModuleBaseNameW(process, first, buffer, kNameCapacity)) return false;
    image.baseName = buffer;
    if (!::GetModuleFileNameExW(process, first, buffer, kNameCapacity)) return false;
    image.path = buffer;
    return true;
}

bool ImageFromPath(HANDLE process, ProcessImage& image)
{
    wchar_t buffer[kNameCapacity] = {};
    DWORD length = kNameCapacity;
    if (!::QueryFullProcessImageNameW(process, 0, buffer, &length)) return false;
    image.path.assign(buffer, length);
    image.baseName = FileNameOf(image.path);
    return true;
}

// A first look through the image path, which takes one call with the limited
// query right and no reading of the other process's memory: a process whose
// executable is plainly not the browser's (whatever the case of its name) is
// passed over without the costlier walk of its modules. True when it cannot
// tell, so that the full rule decides.
bool MayBeBrowser(DWORD processId)
{
    win::KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    ProcessImage image;
    if (!process || !ImageFromPath(process.Get(), image)) return true;
    return ::CompareStringOrdinal(image.baseName.c_str(), static_cast<int>(image.baseName.size()), kBrowserExecutable,
                                  -1, TRUE) == CSTR_EQUAL;
}

// Turns a procedure address of a library loaded at run time into its type.
template <class Function>
Function Procedure(const win::Module& library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), name)));
}

}  // namespace

bool IsNeroviaProcess(const std::wstring& baseName, int majorVersion)
{
    return baseName == kBrowserExecutable && majorVersion == kBrowserMajorVersion;
}

bool ListProcessIds(std::vector<DWORD>& ids, size_t initialCapacity)
{
    ids.assign(initialCapacity ? initialCapacity : 1, 0);
    for (;;) {
        const DWORD bufferBytes = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        DWORD returnedBytes = 0;
        if (!::EnumProcesses(ids.data(), bufferBytes, &returnedBytes)) {
            ids.clear();
            return false;
        }
        // A full buffer may have cut the list: ask again with more room.
        if (returnedBytes < bufferBytes) {
            ids.resize(returnedBytes / sizeof(DWORD));
            return true;
        }
        ids.assign(ids.size() * 2, 0);
    }
}

bool GetProcessImage(DWORD processId, ProcessImage& image)
{
    win::KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (process && ImageFromModules(process.Get(), image)) return true;
    // Without the full rights, or while its module list cannot be read (a
    // process still starting), the image path still names the executable.
    if (!process) process.Reset(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process && ImageFromPath(process.Get(), image);
}

int IsBrowserRunning()
{
    std::vector<DWORD> ids;
    if (!ListProcessIds(ids)) return -1;
    for (DWORD id : ids) {
        if (!MayBeBrowser(id)) continue;
        ProcessImage image;
        if (!GetProcessImage(id, image)) continue;
        // The version is read only for a matching name: most processes never get that far.
        if (image.baseName != kBrowserExecutable) continue;
        if (IsNeroviaProcess(image.baseName, GetFileMajorVersion(image.path))) return 1;
    }
    return 0;
}

int GetFileMajorVersion(const std::wstring& path)
{
    // Loaded at run time from the system folder only: an imported version.dll
    // would be looked for beside the program first, where one could be planted.
    win::Module library(::LoadLibraryExW(L"version.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) return -1;
    const auto getSize = Procedure<decltype(&::GetFileVersionInfoSizeW)>(library, "GetFileVersionInfoSizeW");
    const auto getInfo = Procedure<decltype(&::GetFileVersionInfoW)>(library, "GetFileVersionInfoW");
    const auto query = Procedure<decltype(&::VerQueryValueW)>(library, "VerQueryValueW");
    if (!getSize || !getInfo || !query) return -1;

    DWORD ignored = 0;
    const DWORD size = getSize(path.c_str(), &ignored);
    if (size == 0) return -1;
    std::vector<BYTE> data(size);
    if (!getInfo(path.c_str(), 0, size, data.data())) return -1;
    void* block = nullptr;
    UINT length = 0;
    if (!query(data.data(), L"\\", &block, &length) || !block || length < sizeof(VS_FIXEDFILEINFO)) return -1;
    return HIWORD(static_cast<const VS_FIXEDFILEINFO*>(block)->dwFileVersionMS);
}

}  // namespace browser
