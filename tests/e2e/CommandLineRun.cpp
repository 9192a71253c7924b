#include "CommandLineRun.h"


#include "TestSupport.h"
#include "win/Handles.h"

namespace velltune::test {
namespace {

struct Pipe {
    win::KernelHandle read;
    win::KernelHandle write;  // inherited by the program

    Pipe()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE r = nullptr, w = nullptr;
        if (!::CreatePipe(&r, &w, &inherit, 0)) return;
        read.Reset(r);
        write.Reset(w);
        ::SetHandleInformation(r, HANDLE_FLAG_INHERIT, 0);
    }
};

// Takes what the pipe holds now, without waiting: under Wine a read can
// wait on after the writer has ended when it never wrote.
void Drain(HANDLE pipe, std::string& into)
{
    char buffer[4096];
    DWORD available = 0;
    while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD got = 0;
        if (!::ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr) || got == 0) return;
        into.append(buffer, got);
    }
}

}  // namespace

CommandLineRun RunVelltune(const std::wstring& workingFolder, const std::wstring& arguments,
                           std::chrono::milliseconds timeout, const std::wstring& program)
{
    CommandLineRun run;
    Pipe out, err;
    if (!out.write || !err.write) return run;
    DebuggedProcess process;
    if (!process.Start(BuildFolder() + program, arguments, workingFolder, out.write.Get(), err.write.Get()))
        return run;
    // Only the program's copies remain.
    out.write.Reset();
    err.write.Reset();
    // Read while it runs, so that a full pipe never holds it up.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!(run.ended = process.WaitForExit(10)) && std::chrono::steady_clock::now() < deadline) {
        Drain(out.read.Get(), run.output);
        Drain(err.read.Get(), run.error);
    }
    if (!run.ended) ::TerminateProcess(process.Handle(), 1);
    Drain(out.read.Get(), run.output);
    Drain(err.read.Get(), run.error);
    run.exitCode = process.ExitCode();
    run.faults = process.Faults();
    return run;
}

}  // namespace velltune::test
