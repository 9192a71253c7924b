#include "DebuggedProcess.h"

#include <cstdio>

namespace velltune::test {
namespace {

struct NamedCode {
    DWORD code;
    const char* name;
};

constexpr NamedCode kFaultCodes[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation"},
    {EXCEPTION_STACK_OVERFLOW, "stack overflow"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction"},
    {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "float division by zero"},
    {EXCEPTION_INT_OVERFLOW, "integer overflow"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded"},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "misalignment"},
    {0xC0000374, "heap corruption"},
    {0xC0000409, "stack buffer overrun"},
};

}  // namespace

bool IsFaultCode(DWORD code)
{
    for (const NamedCode& known : kFaultCodes)
        if (known.code == code) return true;
    return false;
}

std::string FaultName(DWORD code)
{
    for (const NamedCode& known : kFaultCodes)
        if (known.code == code) return known.name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(code));
    return hex;
}

DebuggedProcess::~DebuggedProcess()
{
    if (process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.Get(), 1);
    if (debugger_.joinable()) debugger_.join();
}

bool DebuggedProcess::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder,
                            HANDLE output, HANDLE error)
{
    if (debugger_.joinable()) return false;
    // The thread owns the promise, so nothing it touches goes when we return.
    std::promise<bool> started;
    std::future<bool> created = started.get_future();
    debugger_ = std::thread([this, exe, arguments, workingFolder, output, error, started = std::move(started)]() mutable {
        Debug(exe, arguments, workingFolder, output, error, started);
    });
    return created.get();
}

bool DebuggedProcess::WaitForExit(DWORD timeoutMs) const
{
    return process_ && ::WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD DebuggedProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

std::vector<Fault> DebuggedProcess::Faults() const
{
    std::lock_guard lock(mutex_);
    return faults_;
}

void DebuggedProcess::Debug(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder,
                            HANDLE output, HANDLE error, std::promise<bool>& started)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const bool redirected = output || error;
    if (redirected) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = error;
    }
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, redirected, DEBUG_ONLY_THIS_PROCESS, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        started.set_value(false);
        return;
    }
    win::KernelHandle thread(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    started.set_value(true);

    for (;;) {
        DEBUG_EVENT event{};
        if (!::WaitForDebugEvent(&event, INFINITE)) return;
        DWORD answer = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case EXCEPTION_DEBUG_EVENT:
            Record(event.u.Exception);
            // The program's own handlers see every exception as they would
            // without a debugger; only the breakpoint of the start is ours.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                answer = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case CREATE_PROCESS_DEBUG_EVENT: {
            const win::KernelHandle image(event.u.CreateProcessInfo.hFile);  // ours to close
            break;
        }
        case LOAD_DLL_DEBUG_EVENT: {
            const win::KernelHandle library(event.u.LoadDll.hFile);
            break;
        }
        default:
            break;
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) return;
    }
}

void DebuggedProcess::Record(const EXCEPTION_DEBUG_INFO& exception)
{
    const DWORD code = exception.ExceptionRecord.ExceptionCode;
    const bool firstChance = exception.dwFirstChance != 0;
    if (!IsFaultCode(code) && (firstChance || code == EXCEPTION_BREAKPOINT)) return;
    std::lock_guard lock(mutex_);
    faults_.push_back({code, firstChance});
}

}  // namespace velltune::test
