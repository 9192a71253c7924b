// Where a run without a window prints: the standard output and error handles
// it was given, else the console of the process that started it, else
// nowhere. A console gets the text as it is; a pipe or file gets UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace cli {

class Output {
public:
    Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void Line(const std::wstring& text) { Write(out_, text); }
    void Error(const std::wstring& text) { Write(err_, text); }

private:
    void Write(HANDLE handle, const std::wstring& text);
    // The parent's console, attached once, on the first handle that is missing.
    HANDLE Console();

    HANDLE out_ = nullptr;  // not owned when given by the parent
    HANDLE err_ = nullptr;
    bool consoleTried_ = false;
    win::KernelHandle console_;
};

}  // namespace cli
