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
    theApp.InitInstance();
    return 0;
}
