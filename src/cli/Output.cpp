#include "cli/Output.h"

#include <utility>

namespace cli {
namespace {

bool IsUsable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

HANDLE Given(DWORD which)
{
    HANDLE handle = ::GetStdHandle(which);
    return IsUsable(handle) ? handle : nullptr;
}

}  // namespace

Output::Output() : out_(Given(STD_OUTPUT_HANDLE)), err_(Given(STD_ERROR_HANDLE))
{
    if (!out_) out_ = Console();
    if (!err_) err_ = Console();
}

HANDLE Output::Console()
{
    if (!std::exchange(consoleTried_, true) && ::AttachConsole(ATTACH_PARENT_PROCESS))
        console_.Reset(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    return console_ ? console_.Get() : nullptr;
}

void Output::Write(HANDLE handle, const std::wstring& text)
{
    if (!handle) return;
    // A console takes the UTF-16 text as it is, in any code page.
    const std::wstring line = text + L"\r\n";
    DWORD mode = 0;
    DWORD done = 0;
    if (::GetConsoleMode(handle, &mode)) {
        ::WriteConsoleW(handle, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
        return;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
}

}  // namespace cli
