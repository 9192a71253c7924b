// A program started as this process's debuggee, so that every fault it raises
// is seen the moment it happens, including one that the program or Wine then
// swallows (Wine hides a crash inside a window procedure and runs on): a
// still-running process proves nothing.
#pragma once

#include <windows.h>

#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "win/Handles.h"

namespace velltune::test {

struct Fault {
    DWORD code;
    bool firstChance;
};

// Access violation, stack overflow, illegal instruction, division by zero
// and the like: the exceptions that only a fault raises.
bool IsFaultCode(DWORD code);
// "access violation", ... or the code in hex.
std::string FaultName(DWORD code);

class DebuggedProcess {
public:
    DebuggedProcess() = default;
    // Ends the program when still running, then the debugger thread.
    ~DebuggedProcess();
    DebuggedProcess(const DebuggedProcess&) = delete;
    DebuggedProcess& operator=(const DebuggedProcess&) = delete;

    // An empty working folder keeps this process's current directory. Given
    // inheritable handles, the program gets them as its standard output and
    // error (standard input then gets none).
    bool Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder,
               HANDLE output = nullptr, HANDLE error = nullptr);
    HANDLE Handle() const { return process_.Get(); }
    DWORD Id() const { return id_; }
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs

    // Every fault so far: each fault exception, first or second chance, and
    // the second chance of any other exception (one nobody handled).
    std::vector<Fault> Faults() const;

private:
    // The debugger thread: creates the process (only the creating thread
    // receives its debug events) and serves them until it ends.
    // Reports through the promise whether the process was created.
    void Debug(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workingFolder, HANDLE output,
               HANDLE error, std::promise<bool>& started);
    void Record(const EXCEPTION_DEBUG_INFO& exception);

    std::thread debugger_;
    win::KernelHandle process_;
    DWORD id_ = 0;
    mutable std::mutex mutex_;
    std::vector<Fault> faults_;
};

}  // namespace velltune::test
