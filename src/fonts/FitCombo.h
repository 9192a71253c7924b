// Grows a drop-down list's item height and dropped width to fit its entries.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace fonts {

// Pixels left free before and after an entry's text.
inline constexpr int kItemTextMargin = 2;

// Measures every entry once, in the font the list draws its entries in. The
// items (all of one height) become as high as the tallest text; the dropped
// width grows to the widest text, its margins, the list's borders and its
// scroll bar, so that no entry is cut, and never shrinks.
void FitComboToItems(HWND combo);

// The same result as FitComboToItems on each of the combos, when each holds
// exactly the given texts and all draw in the same font: every text is
// measured once, with the first combo's font, and each combo grows to the
// largest size.
void FitCombosToTexts(std::span<const HWND> combos, const std::vector<std::wstring>& texts);

}  // namespace fonts
