// Grows a drop-down list's item height and dropped width to fit its entries.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace fonts {

// Measures every entry once with the control's device context; both values
// only grow, never shrink, and no margin is added.
void FitComboToItems(HWND combo);

// The same result as FitComboToItems on each of the combos, when each holds
// exactly the given texts: every text is measured once, with the first
// combo's device context, and each combo grows to the largest size.
void FitCombosToTexts(std::span<const HWND> combos, const std::vector<std::wstring>& texts);

}  // namespace fonts
