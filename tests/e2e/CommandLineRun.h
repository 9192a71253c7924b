// Runs build/Velltune.exe (or another program of the build) with arguments as this process's debuggee, its
// standard output and error redirected into pipes (a program without a
// console prints nowhere else that a test can read).
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "DebuggedProcess.h"

namespace velltune::test {

struct CommandLineRun {
    bool ended = false;
    DWORD exitCode = STILL_ACTIVE;
    std::string output;  // UTF-8, as the program writes into a pipe
    std::string error;
    std::vector<Fault> faults;
};

CommandLineRun RunVelltune(const std::wstring& workingFolder, const std::wstring& arguments,
                           std::chrono::milliseconds timeout = std::chrono::milliseconds(120'000),
                           const std::wstring& program = L"Velltune.exe");

}  // namespace velltune::test
