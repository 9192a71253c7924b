// Velltune.com: the command line as a console program, so that a command
// prompt (which finds .com before .exe) waits for it, shows its lines in
// order on its own standard output and error, and takes its exit code.
// Without arguments it starts Velltune.exe beside it and returns: the window
// is then exactly the one a double click opens, no console stays open behind
// it, and the prompt comes back as it does for Velltune.exe.
#include <windows.h>

#include <string>
#include <vector>

#include "app/Settings.h"
#include "cli/CommandLine.h"
#include "cli/Output.h"
#include "i18n/TextTable.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace {

std::wstring ThisProgram()
{
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}

// The window program beside this one; its current folder (the working
// folder) is this one's.
int StartWindow()
{
    std::wstring exe = ThisProgram();
    const size_t dot = exe.find_last_of(L'.');
    if (dot != std::wstring::npos) exe.resize(dot);
    exe += L".exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        const std::wstring languageFile = settings::SavedLanguageFilePath(settings::GetWorkingFolder());
        cli::Output().Error(win::FormatPlaceholders(text::Get(languageFile, text::kCannotStart), {exe}));
        // The window has no exit codes of its own; any failure will do.
        return cli::kWrongArguments;
    }
    win::KernelHandle process(started.hProcess), thread(started.hThread);
    return cli::kDone;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // As Velltune.exe: libraries come from the system folder only.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");
    if (argc > 1) return cli::Run(std::vector<std::wstring>(argv + 1, argv + argc));
    return StartWindow();
}
