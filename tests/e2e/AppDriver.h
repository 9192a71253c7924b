// Drives build/Velltune.exe from outside, as a user would: start it in a
// working folder, type into fields, click buttons, pick list entries, choose
// menu commands, read and answer message boxes, and wait for it to end.
// Menus cannot be read across processes, so a menu command is sent by its id.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "DebuggedProcess.h"

namespace velltune::test {

using std::chrono::milliseconds;
inline constexpr milliseconds kWindowTimeout{15000};

class VelltuneApp {
public:
    static constexpr wchar_t kTitle[] = L"Velltune v0.4";

    // Starts Velltune.exe of the build with the given current directory, as
    // this process's debuggee, so that Faults() sees every crash.
    bool Start(const std::wstring& workingFolder);
    DWORD ProcessId() const { return process_.Id(); }

    // The main window once it is visible, or null.
    HWND WaitForMainWindow(milliseconds timeout = kWindowTimeout);
    HWND MainWindow() const { return main_; }

    // A visible dialog of the program with this title that holds the control.
    HWND WaitForDialog(const std::wstring& title, int controlId, milliseconds timeout = kWindowTimeout) const;
    // A visible message box of the program, or null.
    HWND WaitForMessageBox(milliseconds timeout = kWindowTimeout) const;
    static std::wstring MessageText(HWND box);
    // Presses OK and waits until the box is gone.
    bool Answer(HWND box) const;

    // Types a whole new text into a field of the main window or a dialog.
    bool SetText(int id, const std::wstring& text) const { return SetTextIn(main_, id, text); }
    bool SetTextIn(HWND dialog, int id, const std::wstring& text) const;
    std::wstring Text(int id) const;
    bool IsEnabled(int id) const;
    // Clicks a visible, enabled button; returns once the program handled the
    // click or is showing a message box or dialog it raised.
    bool Click(int id) const { return ClickIn(main_, id); }
    bool ClickIn(HWND dialog, int id) const;
    // Sends the click and returns at once, while the program handles it.
    bool ClickNoWait(int id) const;
    // Ends the program at once, as a crash or a power cut would, and waits
    // until it is gone.
    bool Kill() const;
    // Selects the entry with exactly this text, as the mouse would.
    bool Pick(int comboId, const std::wstring& entry) const;
    // The text of a drop-down list's selected entry; empty when none is.
    std::wstring SelectedEntry(int comboId) const;
    // Chooses a menu item by its command id.
    void MenuCommand(UINT id) const;

    // True once the window has handled a message sent now: false means the
    // program hangs (or is still busy after the timeout).
    bool Responsive(HWND window, milliseconds timeout) const;

    bool WaitForExit(milliseconds timeout = kWindowTimeout) const
    {
        return process_.WaitForExit(static_cast<DWORD>(timeout.count()));
    }
    DWORD ExitCode() const { return process_.ExitCode(); }
    std::vector<Fault> Faults() const { return process_.Faults(); }

private:
    // Returns when the program has handled everything sent to it so far.
    void Sync(HWND window) const;

    DebuggedProcess process_;
    HWND main_ = nullptr;
};

// Watches, from start to end, whether a process ever shows a top-level window
// with the given title.
class VisibilityWatch {
public:
    VisibilityWatch(DWORD processId, std::wstring title);
    ~VisibilityWatch();
    VisibilityWatch(const VisibilityWatch&) = delete;
    VisibilityWatch& operator=(const VisibilityWatch&) = delete;

    bool EverVisible() const { return seenVisible_; }
    bool EverCreated() const { return seenCreated_; }

private:
    DWORD processId_;
    std::wstring title_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> seenVisible_{false};
    std::atomic<bool> seenCreated_{false};
    std::thread thread_;
};

// Last-write time of a file, to tell "not written" from "written unchanged".
ULONGLONG LastWriteTime(const std::wstring& path);

}  // namespace velltune::test
