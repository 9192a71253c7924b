// The main dialog's own template, shown as it is with one font enumeration
// and no other work: the part of Velltune's start-up that the controls
// themselves cost, so that scripts/bench can tell it from the initialisation.
#include <windows.h>
#include <commctrl.h>

#include "fonts/InstalledFaces.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM /*lParam*/)
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
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_VELLTUNE_DIALOG), nullptr, BareProc, 0);
    return 0;
}
