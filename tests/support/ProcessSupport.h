// Helper processes for tests: the fixture programs built beside the tests,
// started and always ended again, and named events to talk to them.
#pragma once

#include <windows.h>

#include <string>

#include "TestSupport.h"
#include "win/Handles.h"

namespace velltune::test {

// A manual-reset event with a name no other test uses.
class NamedEvent {
public:
    NamedEvent();
    const std::wstring& Name() const { return name_; }
    HANDLE Handle() const { return event_.Get(); }
    void Set() { ::SetEvent(event_.Get()); }

private:
    std::wstring name_;
    win::KernelHandle event_;
};

// A started program, killed (if still running) and waited for on destruction.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // An empty working folder keeps this process's current directory.
    bool Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder = L"");
    // Waits until the event is set or the process ends; true for the event.
    bool WaitFor(const NamedEvent& event, DWORD timeoutMs = 10000) const;
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs
    void Stop();
    bool Running() const;
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }

private:
    win::KernelHandle process_;
    DWORD id_ = 0;
};

// One of the fake-browser fixtures, copied into a fresh folder under the
// given file name and running past its start-up until destroyed.
class FakeBrowser {
public:
    FakeBrowser(const std::wstring& fixture, const std::wstring& fileName, const std::wstring& options = L"");
    bool Started() const { return started_; }
    DWORD Id() const { return process_.Id(); }
    const std::wstring& Path() const { return path_; }

private:
    TempDir dir_;
    std::wstring path_;
    ChildProcess process_;
    bool started_ = false;
};

// Another process holds the file open without sharing, as a running program
// might: the profile service can then neither read nor write it.
class FileLock {
public:
    // With readable set, others may still read (and copy) the file, but
    // neither write nor replace it; with writable too, they may also open it
    // to write, but still not rename, delete or replace it.
    explicit FileLock(const std::wstring& path, bool readable = false, bool writable = false);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return held_; }

private:
    NamedEvent ready_;
    NamedEvent release_;
    ChildProcess process_;
    bool held_ = false;
};

// The path of a fixture program built beside the tests.
std::wstring FixturePath(const std::wstring& name);

}  // namespace velltune::test
