#include "ui/VelltuneApp.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/VelltuneDlg.h"

CVelltuneApp theApp;

bool CVelltuneApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    // OK and Cancel end the program alike.
    CVelltuneDlg dialog;
    dialog.DoModal();
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Libraries loaded at run time come from the system folder only, never
    // from the application's or the current folder, where one could be planted.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");

    theApp.InitInstance();
    return 0;
}
