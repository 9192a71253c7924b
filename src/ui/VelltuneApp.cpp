#include "ui/VelltuneApp.h"

#include <windows.h>
#include <commctrl.h>

#include "ui/VelltuneDlg.h"
#include "win/StepMarks.h"

CVelltuneApp theApp;

bool CVelltuneApp::InitInstance(fonts::FaceEnumeration& faces)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    win::MarkStep(L"common controls registered");

    // OK and Cancel end the program alike.
    CVelltuneDlg dialog(&faces);
    dialog.DoModal();
    return false;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    win::MarkStep(L"wWinMain entered");
    // Libraries loaded at run time come from the system folder only, never
    // from the application's or the current folder, where one could be planted.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");

    // The longest single step of the start-up, and one that needs no window:
    // it runs beside everything up to the filling of the face lists.
    fonts::FaceEnumeration faces;
    win::MarkStep(L"enumeration worker started");
    theApp.InitInstance(faces);
    return 0;
}
