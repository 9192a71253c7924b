// The installed font families, in the order the platform reports them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fonts {

// Adds the name unless it equals the last one added (exact, case-sensitive):
// the platform reports a family once per character set, one after another.
void AppendCollapsingRepeats(std::vector<std::wstring>& faces, const wchar_t* name);

// One enumeration of every family on the screen's device context, all
// character sets; vertical-writing forms ("@" names) are left out and repeats
// in a row collapse.
std::vector<std::wstring> EnumerateInstalledFaces();
// The same on the given device context (a display one lists the same faces).
std::vector<std::wstring> EnumerateInstalledFaces(HDC dc);

}  // namespace fonts
