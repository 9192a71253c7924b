#include "win/FirstUseWatch.h"

namespace win {

namespace {

WNDPROC OwnProcedure(HWND list)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(list, GWLP_USERDATA));
}

LRESULT CALLBACK Watching(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC own = OwnProcedure(list);
    const bool used = message == WM_MOUSEWHEEL || (message == CB_SHOWDROPDOWN && wParam);
    if (used || message == WM_NCDESTROY) {
        EndFirstUseWatch(list);
        if (used)
            ::SendMessageW(::GetParent(list), kFirstUse, static_cast<WPARAM>(::GetDlgCtrlID(list)),
                           reinterpret_cast<LPARAM>(list));
    } else if (::InSendMessage()) {
        ::SendMessageW(::GetParent(list), kOutsideUse, static_cast<WPARAM>(::GetDlgCtrlID(list)),
                       reinterpret_cast<LPARAM>(list));
    }
    return ::CallWindowProcW(own, list, message, wParam, lParam);
}

}  // namespace

bool WatchFirstUse(HWND list)
{
    if (!list || OwnProcedure(list)) return false;
    const auto own = ::GetWindowLongPtrW(list, GWLP_WNDPROC);
    if (!own || reinterpret_cast<WNDPROC>(own) == Watching) return false;
    ::SetWindowLongPtrW(list, GWLP_USERDATA, own);
    ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Watching));
    return true;
}

void EndFirstUseWatch(HWND list)
{
    const WNDPROC own = list ? OwnProcedure(list) : nullptr;
    if (!own || reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(list, GWLP_WNDPROC)) != Watching) return;
    ::SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    ::SetWindowLongPtrW(list, GWLP_USERDATA, 0);
}

}  // namespace win
