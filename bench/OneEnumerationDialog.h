// Shows a dialog template modally after one font-family enumeration and no
// other work: the floor programs that scripts/bench sets Velltune against.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "fonts/InstalledFaces.h"

namespace bench {

inline INT_PTR CALLBACK OneEnumerationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM /*lParam*/)
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

inline int RunOneEnumerationDialog(HINSTANCE instance, int templateId)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), nullptr, OneEnumerationProc, 0);
    return 0;
}

}  // namespace bench
