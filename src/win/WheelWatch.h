// Tells a dialog when the mouse wheel first reaches one of its controls. A
// drop-down list announces being dropped down (CBN_DROPDOWN) and getting the
// focus (CBN_SETFOCUS) to its dialog, but not the wheel, which turns a list
// under the mouse without giving it the focus; a list that is filled only
// when first used must hear of the wheel too.
//
// The control's window procedure is replaced until the watch ends, not
// subclassed through the common controls: those look the subclass up in a
// window property for every message (under Wine a call to the server), and
// the dialog fills the list from inside the wheel's message, once the watch
// has ended and its own procedure takes each message directly again.
#pragma once

#include <windows.h>

namespace win {

// Sent to the control's parent just before the control handles the first
// wheel message it gets while watched: WPARAM is its id, LPARAM its handle.
// The watch is over by then.
inline constexpr UINT kFirstWheel = WM_APP + 0x40;

// Starts watching; false when the control is missing or already watched (or
// its user data is taken: the watch keeps the control's own procedure there).
bool WatchFirstWheel(HWND control);

// Puts the control's own procedure back; nothing when it is not watched.
void EndWheelWatch(HWND control);

}  // namespace win
