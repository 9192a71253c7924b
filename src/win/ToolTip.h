// One tooltip window for the controls of a dialog: each control is a tool of
// its own (the control's handle is its id), and the tooltip watches the mouse
// over it by subclassing it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

class ToolTip {
public:
    // Creates the window, owned by the dialog and so destroyed with it. Texts
    // wrap at the given width in dialog units.
    bool Create(HWND dialog, int wrapWidthDlu);

    // Shows the text over the control: adds the tool the first time, later
    // only replaces its text. False when there is no tooltip or control.
    bool SetText(HWND control, const std::wstring& text);

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;  // not owned: its owner destroys it
    HWND dialog_ = nullptr;  // not owned
    std::vector<HWND> tools_;  // controls added so far
};

}  // namespace win
