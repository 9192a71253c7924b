#include "win/ToolTip.h"

#include <commctrl.h>

#include <algorithm>

namespace win {

namespace {

// Two sentences take longer to read than the default five seconds.
constexpr int kShowMilliseconds = 30000;

}  // namespace

bool ToolTip::Create(HWND dialog, int wrapWidthDlu)
{
    dialog_ = dialog;
    // TTS_NOPREFIX: a tip is plain text, an "&" in it is shown as it is.
    window_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    RECT wrap{0, 0, wrapWidthDlu, 0};
    ::MapDialogRect(dialog, &wrap);
    ::SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, wrap.right);
    ::SendMessageW(window_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kShowMilliseconds, 0));
    return true;
}

bool ToolTip::SetText(HWND control, const std::wstring& text)
{
    if (!window_ || !control) return false;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The tooltip keeps its own copy of the text.
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    if (std::find(tools_.begin(), tools_.end(), control) != tools_.end()) {
        ::SendMessageW(window_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return true;
    }
    if (!::SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
    tools_.push_back(control);
    return true;
}

void ToolTip::RelayMouse(HWND under, UINT mouseMessage) const
{
    if (!window_ || mouseMessage < WM_MOUSEFIRST || mouseMessage > WM_MOUSELAST) return;
    POINT screen{};
    if (!::GetCursorPos(&screen)) return;
    // The tool under the mouse: the control itself or the control a part of
    // it belongs to. Anything else is relayed as it is, so that the tip goes
    // when the mouse leaves its tool for a control without one.
    HWND tool = under;
    const auto isTool = [this](HWND w) { return std::find(tools_.begin(), tools_.end(), w) != tools_.end(); };
    if (!isTool(under) && isTool(::GetParent(under))) tool = ::GetParent(under);
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
