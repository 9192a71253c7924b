// The least any start-up can do: enumerate the font families once and show
// an empty dialog of the main dialog's size. scripts/bench compares against it.
#include <windows.h>
#include <commctrl.h>

#include "fonts/InstalledFaces.h"

namespace {

INT_PTR CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_INITDIALOG) {
        fonts::EnumerateInstalledFaces();
        return TRUE;
    }
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, FloorProc, 0);
    return 0;
}
