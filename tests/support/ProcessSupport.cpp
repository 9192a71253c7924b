#include "ProcessSupport.h"

#include <atomic>

namespace velltune::test {

NamedEvent::NamedEvent()
{
    static std::atomic<unsigned> counter{0};
    name_ = L"velltune-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
    event_.Reset(::CreateEventW(nullptr, TRUE, FALSE, name_.c_str()));
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder)
{
    Stop();
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
        return false;
    ::CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

bool ChildProcess::WaitFor(const NamedEvent& event, DWORD timeoutMs) const
{
    const HANDLE handles[2] = {event.Handle(), process_.Get()};
    return ::WaitForMultipleObjects(2, handles, FALSE, timeoutMs) == WAIT_OBJECT_0;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return process_ && ::WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_) ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void ChildProcess::Stop()
{
    if (!process_) return;
    if (Running()) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), 10000);
    }
    process_.Reset();
    id_ = 0;
}

bool ChildProcess::Running() const
{
    return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::wstring FixturePath(const std::wstring& name)
{
    return ThisExeFolder() + name;
}

FakeBrowser::FakeBrowser(const std::wstring& fixture, const std::wstring& fileName, const std::wstring& options)
    : path_(dir_ / fileName)
{
    if (!::CopyFileW(FixturePath(fixture).c_str(), path_.c_str(), FALSE)) return;
    NamedEvent ready;
    if (!process_.Start(path_, L"--ready " + ready.Name() + L" " + options)) return;
    started_ = process_.WaitFor(ready);
}

FileLock::FileLock(const std::wstring& path, bool readable, bool writable)
{
    const wchar_t* share = writable ? L" write" : readable ? L" read" : L"";
    if (!process_.Start(FixturePath(L"file_locker.exe"),
                        L"\"" + path + L"\" " + ready_.Name() + L" " + release_.Name() + share))
        return;
    held_ = process_.WaitFor(ready_);
}

FileLock::~FileLock()
{
    release_.Set();
    if (process_.Running()) ::WaitForSingleObject(process_.Handle(), 10000);
}

}  // namespace velltune::test
