#include "win/WheelWatch.h"

namespace win {

namespace {

WNDPROC OwnProcedure(HWND control)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_USERDATA));
}

LRESULT CALLBACK Watching(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC own = OwnProcedure(control);
    if (message == WM_MOUSEWHEEL || message == WM_NCDESTROY) {
        EndWheelWatch(control);
        if (message == WM_MOUSEWHEEL)
            ::SendMessageW(::GetParent(control), kFirstWheel, static_cast<WPARAM>(::GetDlgCtrlID(control)),
                           reinterpret_cast<LPARAM>(control));
    }
    return ::CallWindowProcW(own, control, message, wParam, lParam);
}

}  // namespace

bool WatchFirstWheel(HWND control)
{
    if (!control || OwnProcedure(control)) return false;
    const auto own = ::GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!own || reinterpret_cast<WNDPROC>(own) == Watching) return false;
    ::SetWindowLongPtrW(control, GWLP_USERDATA, own);
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Watching));
    return true;
}

void EndWheelWatch(HWND control)
{
    const WNDPROC own = control ? OwnProcedure(control) : nullptr;
    if (!own || reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC)) != Watching) return;
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    ::SetWindowLongPtrW(control, GWLP_USERDATA, 0);
}

}  // namespace win
