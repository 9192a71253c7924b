#include "win/FileDialog.h"

#include <commdlg.h>

#include "win/Handles.h"

namespace win {
namespace {

constexpr DWORD kPathCapacity = 32768;

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The dialogs' library is loaded when first needed, from the system folder
// only: an imported one would be looked for beside the program first.
bool Show(OPENFILENAMEW& ofn, bool save)
{
    win::Module library(::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) return false;
    const auto show = reinterpret_cast<FileDialogFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
    return show && show(&ofn);
}

bool Choose(HWND owner, const FileFilter& filter, bool save, std::wstring& path)
{
    // Pairs of name and pattern, each ended by a NUL, the list by another.
    std::wstring filters = filter.name + L'\0' + filter.pattern + L'\0' + filter.allFilesName + L'\0' + L"*.*" + L'\0';
    std::wstring buffer(kPathCapacity, L'\0');
    const std::wstring extension = filter.pattern.substr(filter.pattern.find_last_of(L'.') + 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kPathCapacity;
    ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!Show(ofn, save)) return false;
    path.assign(buffer.c_str());
    return !path.empty();
}

}  // namespace

bool ChooseFileToOpen(HWND owner, const FileFilter& filter, std::wstring& path)
{
    return Choose(owner, filter, false, path);
}

bool ChooseFileToSave(HWND owner, const FileFilter& filter, std::wstring& path)
{
    return Choose(owner, filter, true, path);
}

}  // namespace win
