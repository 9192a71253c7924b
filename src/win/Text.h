// Small text helpers over window texts and numbers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

std::wstring GetWindowTextString(HWND window);
std::wstring GetItemText(HWND dialog, int id);
bool SetItemText(HWND dialog, int id, const std::wstring& text);

// Decimal text of a signed integer, as "%d" makes it.
std::wstring FormatInt(int value);

// Replaces %1, %2, ... by the given arguments wherever they stand, so that a
// translation may order them as its grammar needs.
std::wstring FormatPlaceholders(const std::wstring& pattern, const std::vector<std::wstring>& args);

// The running executable's file name without folder and extension.
std::wstring ExecutableBaseName();

}  // namespace win
