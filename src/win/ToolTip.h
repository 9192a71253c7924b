// One tooltip window for the controls of a dialog: each control is a tool of
// its own (the control's handle is its id), and the tooltip watches the mouse
// over it by subclassing it. A subclassed control pays for every message it
// gets (under Wine a window-property lookup in the server each time), so a
// dialog that fills controls with thousands of entries creates the tooltip
// afterwards; texts set before then wait for it.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace win {

class ToolTip {
public:
    // Creates the window, owned by the dialog and so destroyed with it, with
    // the texts set so far. Texts wrap at the given width in dialog units.
    bool Create(HWND dialog, int wrapWidthDlu);

    // Shows the text over the control: adds the tool the first time, later
    // only replaces its text. Before Create the text is kept for it. False
    // when there is no control or the tool cannot be added.
    bool SetText(HWND control, const std::wstring& text);

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;  // not owned: its owner destroys it
    HWND dialog_ = nullptr;  // not owned
    std::vector<HWND> tools_;  // controls added so far
    std::vector<std::pair<HWND, std::wstring>> waiting_;  // texts set before Create
};

}  // namespace win
