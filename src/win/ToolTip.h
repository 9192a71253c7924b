// One tooltip window for the controls of a dialog: each control is a tool of
// its own (the control's handle is its id). The dialog passes the mouse on to
// the tooltip (RelayMouse) rather than letting the tooltip subclass each
// control: a subclassed control pays for every message it gets (under Wine a
// window-property lookup in the server each time, for the rest of its life),
// and the face lists get thousands as they fill and as they are destroyed.
// The window and its tools are made when the mouse first rests over the
// dialog: a start-up need not pay for tips nobody may ever ask for.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

class ToolTip {
public:
    // Remembers the dialog the tips belong to; the tooltip window, owned by
    // the dialog and so destroyed with it, comes later. Texts wrap at the
    // given width in dialog units.
    void Attach(HWND dialog, int wrapWidthDlu);

    // Shows the text over the control, enabled or not. Before the tooltip
    // exists the text is only kept; later the first text of a control adds its
    // tools, another replaces their text. False when there is no control or
    // its tools cannot be added.
    bool SetText(HWND control, const std::wstring& text);

    // For each WM_SETCURSOR the dialog gets: it comes up from the control
    // under the mouse at every move and click, or from the dialog itself over
    // a disabled control, which gets no mouse input. Until the tooltip exists
    // each one only restarts the dialog's timer kRestTimer.
    void RelayMouse(HWND under, UINT mouseMessage);

    // For each WM_TIMER the dialog gets; true when it is kRestTimer's: the
    // mouse has rested, so the tooltip and its tools are made and told where.
    bool OnTimer(UINT_PTR id);
    static constexpr UINT_PTR kRestTimer = 0x7469;

    // The tooltip window, or null while it is not made.
    HWND Handle() const { return window_; }

private:
    bool Create();
    bool AddTools(size_t index);
    void Relay(HWND under, UINT mouseMessage);

    HWND window_ = nullptr;  // not owned: its owner destroys it
    HWND dialog_ = nullptr;  // not owned
    int wrapWidthDlu_ = 0;
    bool createFailed_ = false;
    HWND restingOver_ = nullptr;  // where the mouse was last, before the tooltip exists
    std::vector<HWND> tools_;  // controls given a text so far
    std::vector<std::wstring> texts_;  // their texts, for the tools made later
};

}  // namespace win
