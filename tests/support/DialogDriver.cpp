#include "DialogDriver.h"

#include <algorithm>

namespace velltune::test {
namespace {

std::wstring TextOf(HWND window)
{
    wchar_t buffer[2048] = {};
    ::GetWindowTextW(window, buffer, 2048);
    return buffer;
}

bool IsDialogClass(HWND window)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    return std::wstring(cls) == L"#32770";
}

struct FindState {
    std::wstring caption;
    HWND found = nullptr;
};

}  // namespace

bool IsMessageBox(HWND window)
{
    if (!IsDialogClass(window) || !::IsWindowVisible(window)) return false;
    HWND textStatic = ::GetDlgItem(window, 0xFFFF);
    HWND ok = ::GetDlgItem(window, IDOK);
    if (!textStatic || !ok) return false;
    // Our own dialogs have edits, lists or more than a handful of children.
    int children = 0;
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++children;
    return children <= 4 && !::GetDlgItem(window, IDCANCEL);
}

MessageBoxWatcher::MessageBoxWatcher(DWORD uiThread) : uiThread_(uiThread), thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> MessageBoxWatcher::Boxes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

std::vector<std::wstring> MessageBoxWatcher::Texts() const
{
    std::vector<std::wstring> texts;
    for (const auto& b : Boxes()) texts.push_back(b.text);
    return texts;
}

void MessageBoxWatcher::Clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    boxes_.clear();
}

void MessageBoxWatcher::Run()
{
    while (!stop_) {
        std::vector<HWND> windows;
        ::EnumThreadWindows(
            uiThread_,
            [](HWND w, LPARAM p) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        for (HWND w : windows) {
            if (!IsMessageBox(w)) continue;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (std::find(answered_.begin(), answered_.end(), w) != answered_.end()) continue;
                answered_.push_back(w);
                boxes_.push_back({TextOf(::GetDlgItem(w, 0xFFFF)), TextOf(w), ::GetWindow(w, GW_OWNER),
                                  ::GetWindowLongPtrW(w, GWL_STYLE)});
            }
            ::PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        // Forget boxes that are gone, so a reused handle counts again.
        {
            std::lock_guard<std::mutex> lock(mutex_);
            answered_.erase(std::remove_if(answered_.begin(), answered_.end(), [](HWND w) { return !::IsWindow(w); }),
                            answered_.end());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

HWND WaitForDialog(DWORD thread, const std::wstring& caption, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        FindState state{caption};
        ::EnumThreadWindows(
            thread,
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<FindState*>(p);
                if (IsDialogClass(w) && ::IsWindowVisible(w) && TextOf(w) == s->caption) {
                    s->found = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&state));
        if (state.found) return state.found;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void ReadComboEntries(HWND list, std::vector<std::wstring>& entries, std::vector<LRESULT>& itemData)
{
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
        itemData.push_back(::SendMessageW(list, CB_GETITEMDATA, i, 0));
    }
}

}  // namespace velltune::test
