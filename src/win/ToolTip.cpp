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
    std::vector<std::pair<HWND, std::wstring>> waiting;
    waiting.swap(waiting_);
    for (const auto& [control, text] : waiting) SetText(control, text);
    return true;
}

bool ToolTip::SetText(HWND control, const std::wstring& text)
{
    if (!control) return false;
    if (!window_) {
        const auto kept = std::find_if(waiting_.begin(), waiting_.end(),
                                       [control](const auto& entry) { return entry.first == control; });
        if (kept != waiting_.end())
            kept->second = text;
        else
            waiting_.emplace_back(control, text);
        return true;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
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

}  // namespace win
