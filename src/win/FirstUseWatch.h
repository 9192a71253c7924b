// Tells a dialog when one of its drop-down lists is first used in a way the
// list does not announce. A list announces being dropped down by the user
// (CBN_DROPDOWN) and getting the focus (CBN_SETFOCUS) to its dialog, but not
// the wheel, which turns a list under the mouse without giving it the focus,
// and not every version announces a program's CB_SHOWDROPDOWN to a disabled
// list; a list that is filled only when first used must hear of both.
//
// The list's window procedure is replaced until the watch ends, not
// subclassed through the common controls: those look the subclass up in a
// window property for every message (under Wine a call to the server), and
// the dialog fills the list from inside the watched message, once the watch
// has ended and the list's own procedure takes each message directly again.
#pragma once

#include <windows.h>

namespace win {

// Sent to the list's parent just before the list handles the first wheel
// message or CB_SHOWDROPDOWN that drops it, while watched: WPARAM is its id,
// LPARAM its handle. The watch is over by then.
inline constexpr UINT kFirstUse = WM_APP + 0x40;

// Sent to the list's parent just before the list handles any message another
// thread sent it, while watched (WPARAM its id, LPARAM its handle): a program
// reads or drives the list, and should find what the user will see. The
// watch goes on.
inline constexpr UINT kOutsideUse = WM_APP + 0x41;

// Starts watching; false when the list is missing or already watched (or its
// user data is taken: the watch keeps the list's own procedure there).
bool WatchFirstUse(HWND list);

// Puts the list's own procedure back; nothing when it is not watched.
void EndFirstUseWatch(HWND list);

}  // namespace win
