#include "AppDriver.h"

#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"

namespace velltune::test {
namespace {

constexpr milliseconds kPoll{10};
constexpr UINT kSyncTimeoutMs = 10000;

std::wstring TitleOf(HWND window)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(window, buffer, 512);
    return buffer;
}

// A control's text through WM_GETTEXT: GetWindowText on another process's
// window reads only the caption the system keeps, which an edit leaves empty.
std::wstring ControlText(HWND control)
{
    wchar_t buffer[2048] = {};
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 10000,
                               &length))
        return {};
    return std::wstring(buffer, length);
}

bool IsDialogClass(HWND window)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    return std::wstring(cls) == L"#32770";
}

std::vector<HWND> TopLevelDialogsOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            if (owner == s->processId && IsDialogClass(w)) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <class Predicate>
HWND WaitFor(milliseconds timeout, Predicate found)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (HWND w = found()) return w;
        if (std::chrono::steady_clock::now() >= deadline) return nullptr;
        std::this_thread::sleep_for(kPoll);
    }
}

}  // namespace

bool VelltuneApp::Start(const std::wstring& workingFolder)
{
    if (!process_.Start(BuildFolder() + L"Velltune.exe", L"", workingFolder)) return false;
    ::WaitForInputIdle(process_.Handle(), static_cast<DWORD>(kWindowTimeout.count()));
    return true;
}

HWND VelltuneApp::WaitForMainWindow(milliseconds timeout)
{
    main_ = WaitFor(timeout, [this]() -> HWND {
        for (HWND w : TopLevelDialogsOf(process_.Id()))
            if (::IsWindowVisible(w) && TitleOf(w) == kTitle) return w;
        return nullptr;
    });
    return main_;
}

HWND VelltuneApp::WaitForDialog(const std::wstring& title, int controlId, milliseconds timeout) const
{
    return WaitFor(timeout, [&]() -> HWND {
        for (HWND w : TopLevelDialogsOf(process_.Id()))
            if (::IsWindowVisible(w) && TitleOf(w) == title && ::GetDlgItem(w, controlId)) return w;
        return nullptr;
    });
}

HWND VelltuneApp::WaitForMessageBox(milliseconds timeout) const
{
    return WaitFor(timeout, [this]() -> HWND {
        for (HWND w : TopLevelDialogsOf(process_.Id()))
            if (w != main_ && IsMessageBox(w)) return w;
        return nullptr;
    });
}

std::wstring VelltuneApp::MessageText(HWND box)
{
    return ControlText(::GetDlgItem(box, 0xFFFF));
}

bool VelltuneApp::Answer(HWND box) const
{
    if (!ClickIn(box, IDOK)) return false;
    const auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (::IsWindow(box) && ::IsWindowVisible(box)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

bool VelltuneApp::SetTextIn(HWND dialog, int id, const std::wstring& text) const
{
    HWND field = ::GetDlgItem(dialog, id);
    if (!field || !::IsWindowVisible(field) || !::IsWindowEnabled(field)) return false;
    DWORD_PTR result = 0;
    // The edit raises its own change notification, as it does for typing.
    return ::SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                                 kSyncTimeoutMs, &result) != 0;
}

std::wstring VelltuneApp::Text(int id) const
{
    return ControlText(::GetDlgItem(main_, id));
}

bool VelltuneApp::IsEnabled(int id) const
{
    return ::IsWindowEnabled(::GetDlgItem(main_, id)) != FALSE;
}

bool VelltuneApp::ClickIn(HWND dialog, int id) const
{
    HWND button = ::GetDlgItem(dialog, id);
    if (!button || !::IsWindowVisible(button) || !::IsWindowEnabled(button)) return false;
    // Not waited for: the click may open a message box that only we can answer.
    ::SendNotifyMessageW(button, BM_CLICK, 0, 0);
    Sync(dialog);
    return true;
}

bool VelltuneApp::ClickNoWait(int id) const
{
    HWND button = ::GetDlgItem(main_, id);
    if (!button || !::IsWindowEnabled(button)) return false;
    return ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool VelltuneApp::Kill() const
{
    ::TerminateProcess(process_.Handle(), 1);
    return process_.WaitForExit(static_cast<DWORD>(kWindowTimeout.count()));
}

bool VelltuneApp::Pick(int comboId, const std::wstring& entry) const
{
    HWND combo = ::GetDlgItem(main_, comboId);
    if (!combo || !::IsWindowEnabled(combo)) return false;
    DWORD_PTR index = 0;
    // Opened first, as by the user who picks from it: the list is filled then.
    ::SendMessageTimeoutW(combo, CB_SHOWDROPDOWN, TRUE, 0, SMTO_NORMAL, kSyncTimeoutMs, &index);
    ::SendMessageTimeoutW(combo, CB_SHOWDROPDOWN, FALSE, 0, SMTO_NORMAL, kSyncTimeoutMs, &index);
    if (!::SendMessageTimeoutW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(entry.c_str()), SMTO_NORMAL, kSyncTimeoutMs, &index) ||
        static_cast<LRESULT>(index) == CB_ERR)
        return false;
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
    // A selection by the mouse notifies the dialog; CB_SETCURSEL alone does not.
    ::SendNotifyMessageW(main_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Sync(main_);
    return true;
}

std::wstring VelltuneApp::SelectedEntry(int comboId) const
{
    HWND combo = ::GetDlgItem(main_, comboId);
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void VelltuneApp::MenuCommand(UINT id) const
{
    // The same WM_COMMAND a menu sends, delivered so that Sync can follow it.
    ::SendNotifyMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Sync(main_);
}

bool VelltuneApp::Responsive(HWND window, milliseconds timeout) const
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result) != 0;
}

void VelltuneApp::Sync(HWND window) const
{
    // Sent messages are handled in order, also inside a nested modal loop, so
    // this returns once the notification before it is done or has opened a box.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kSyncTimeoutMs, &result);
}

VisibilityWatch::VisibilityWatch(DWORD processId, std::wstring title)
    : processId_(processId), title_(std::move(title)), thread_([this] {
          while (!stop_) {
              for (HWND w : TopLevelDialogsOf(processId_)) {
                  if (TitleOf(w) != title_) continue;
                  seenCreated_ = true;
                  if (::IsWindowVisible(w)) seenVisible_ = true;
              }
              std::this_thread::sleep_for(milliseconds(1));
          }
      })
{
}

VisibilityWatch::~VisibilityWatch()
{
    stop_ = true;
    thread_.join();
}

ULONGLONG LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace velltune::test
