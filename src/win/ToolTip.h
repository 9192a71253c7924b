// One tooltip window for the controls of a dialog: each control is a tool of
// its own (the control's handle is its id). The dialog passes the mouse on to
// the tooltip (RelayMouse) rather than letting the tooltip subclass each
// control: a subclassed control pays for every message it gets (under Wine a
// window-property lookup in the server each time, for the rest of its life),
// and the face lists get thousands as they fill and as they are destroyed.
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

    // Shows the text over the control, enabled or not: adds its tools the
    // first time, later only replaces their text. False when there is no
    // tooltip or control.
    bool SetText(HWND control, const std::wstring& text);

    // For each WM_SETCURSOR the dialog gets: it comes up from the control
    // under the mouse at every move and click, or from the dialog itself over
    // a disabled control, which gets no mouse input.
    void RelayMouse(HWND under, UINT mouseMessage) const;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;  // not owned: its owner destroys it
    HWND dialog_ = nullptr;  // not owned
    std::vector<HWND> tools_;  // controls added so far
};

}  // namespace win
