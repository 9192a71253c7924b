// Helpers for tests that drive real dialogs in this process: message boxes
// raised inside a handler run a nested modal loop on the test's thread, so a
// second thread answers them and records what they said.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velltune::test {

struct SeenBox {
    std::wstring text;
    std::wstring caption;
    HWND owner;
    LONG_PTR style;
};

// Watches the given thread's top-level windows and closes every message box
// (a "#32770" window holding the text static 0xFFFF and an OK button and
// nothing else dialog-like) with OK, recording text, caption and owner.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD uiThread = ::GetCurrentThreadId());
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> Boxes() const;
    std::vector<std::wstring> Texts() const;
    void Clear();

private:
    void Run();

    DWORD uiThread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::vector<HWND> answered_;
    std::thread thread_;
};

// True when the window looks like a message box rather than one of our dialogs.
bool IsMessageBox(HWND window);

// Finds a visible top-level dialog of the thread with the given caption,
// waiting up to the timeout. Safe to call from any thread.
HWND WaitForDialog(DWORD thread, const std::wstring& caption, std::chrono::milliseconds timeout);

// Runs queued messages of this thread (posted notifications, paints).
void PumpMessages();

// A drop-down list's entries and each entry's item data, in list order.
void ReadComboEntries(HWND list, std::vector<std::wstring>& entries, std::vector<LRESULT>& itemData);

}  // namespace velltune::test
