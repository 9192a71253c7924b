#include "win/ToolTip.h"

#include <commctrl.h>

#include <algorithm>

#include "win/StepMarks.h"

namespace win {

namespace {

// Two sentences take longer to read than the default five seconds.
constexpr int kShowMilliseconds = 30000;

// A mouse that passes over the dialog moves more often than this; one that
// stays this long is resting, and the tooltip then waits its own delay.
constexpr UINT kRestMilliseconds = 100;

// The second tool of a control: its area of the dialog. Tool ids of the first
// kind are window handles, which never come this low.
UINT_PTR AreaToolId(size_t index)
{
    return index + 1;
}

// The two tools of a control: the control itself while it takes the mouse,
// and its area of the dialog while it is disabled (the mouse then reaches
// the dialog, and the tooltip looks up the dialog's tools).
void DescribeTools(HWND dialog, HWND control, size_t index, const std::wstring& text, TOOLINFOW& own, TOOLINFOW& area)
{
    own = TOOLINFOW{};
    own.cbSize = sizeof(own);
    own.uFlags = TTF_IDISHWND;
    own.hwnd = dialog;
    own.uId = reinterpret_cast<UINT_PTR>(control);
    // The tooltip keeps its own copy of the text.
    own.lpszText = const_cast<wchar_t*>(text.c_str());
    area = own;
    area.uFlags = 0;
    area.uId = AreaToolId(index);
    ::GetWindowRect(control, &area.rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area.rect), 2);
}

}  // namespace

void ToolTip::Attach(HWND dialog, int wrapWidthDlu)
{
    dialog_ = dialog;
    wrapWidthDlu_ = wrapWidthDlu;
}

bool ToolTip::Create()
{
    if (window_) return true;
    if (createFailed_ || !dialog_) return false;
    // TTS_NOPREFIX: a tip is plain text, an "&" in it is shown as it is.
    window_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        createFailed_ = true;  // not tried again at every move of the mouse
        return false;
    }
    RECT wrap{0, 0, wrapWidthDlu_, 0};
    ::MapDialogRect(dialog_, &wrap);
    ::SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, wrap.right);
    ::SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowMilliseconds, 0));
    for (size_t i = 0; i < tools_.size(); ++i) AddTools(i);
    win::MarkStep(L"tips made");
    return true;
}

bool ToolTip::AddTools(size_t index)
{
    TOOLINFOW own, area;
    DescribeTools(dialog_, tools_[index], index, texts_[index], own, area);
    if (!::SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&own))) return false;
    ::SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&area));
    return true;
}

bool ToolTip::SetText(HWND control, const std::wstring& text)
{
    if (!dialog_ || !control) return false;
    const auto known = std::find(tools_.begin(), tools_.end(), control);
    if (known == tools_.end()) {
        tools_.push_back(control);
        texts_.push_back(text);
        if (window_ && !AddTools(tools_.size() - 1)) {
            tools_.pop_back();
            texts_.pop_back();
            return false;
        }
        return true;
    }
    const size_t index = static_cast<size_t>(known - tools_.begin());
    texts_[index] = text;
    if (!window_) return true;
    TOOLINFOW own, area;
    DescribeTools(dialog_, control, index, text, own, area);
    ::SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&own));
    ::SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&area));
    return true;
}

void ToolTip::RelayMouse(HWND under, UINT mouseMessage)
{
    if (mouseMessage < WM_MOUSEFIRST || mouseMessage > WM_MOUSELAST || !dialog_) return;
    if (window_) {
        Relay(under, mouseMessage);
        return;
    }
    if (createFailed_) return;
    restingOver_ = under;
    ::SetTimer(dialog_, kRestTimer, kRestMilliseconds, nullptr);
}

bool ToolTip::OnTimer(UINT_PTR id)
{
    if (id != kRestTimer) return false;
    ::KillTimer(dialog_, kRestTimer);
    if (Create() && ::IsWindow(restingOver_)) Relay(restingOver_, WM_MOUSEMOVE);
    return true;
}

void ToolTip::Relay(HWND under, UINT mouseMessage)
{
    POINT screen{};
    if (!::GetCursorPos(&screen)) return;
    // The window the tooltip looks at: the control under the mouse, the
    // control a part of it belongs to, or the dialog over a disabled control
    // (whose area tool then answers). Anything else is relayed as it is, so
    // that the tip goes when the mouse leaves its tool for a control without one.
    HWND tool = under;
    const auto isTool = [this](HWND w) { return std::find(tools_.begin(), tools_.end(), w) != tools_.end(); };
    if (!isTool(under) && isTool(::GetParent(under))) tool = ::GetParent(under);
    if (under == dialog_) {
        // The areas as the controls stand now: a change of DPI moves them.
        for (size_t i = 0; i < tools_.size(); ++i) {
            TOOLINFOW area{};
            area.cbSize = sizeof(area);
            area.hwnd = dialog_;
            area.uId = AreaToolId(i);
            ::GetWindowRect(tools_[i], &area.rect);
            ::MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area.rect), 2);
            ::SendMessageW(window_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&area));
        }
    }
    POINT client = screen;
    ::ScreenToClient(tool, &client);
    MSG message{};
    message.hwnd = tool;
    message.message = mouseMessage;
    message.lParam = MAKELPARAM(client.x, client.y);
    message.time = static_cast<DWORD>(::GetMessageTime());
    message.pt = screen;
    ::SendMessageW(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

}  // namespace win
