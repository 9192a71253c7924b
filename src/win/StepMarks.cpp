#include "win/StepMarks.h"

#include <windows.h>

#include <string>

namespace win {

void MarkStep(const wchar_t* step)
{
    if (!::IsDebuggerPresent()) return;
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    const std::wstring line = L"velltune-step " + std::to_wstring(now.QuadPart) + L" " + step;
    ::OutputDebugStringW(line.c_str());
}

}  // namespace win
