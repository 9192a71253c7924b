// Grows a drop-down list's item height and dropped width to fit its entries.
#pragma once

#include <windows.h>

namespace fonts {

// Measures every entry once with the control's device context; both values
// only grow, never shrink, and no margin is added.
void FitComboToItems(HWND combo);

}  // namespace fonts
