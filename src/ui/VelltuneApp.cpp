#include "ui/VelltuneApp.h"

#include <windows.h>
#include <commctrl.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "ui/VelltuneDlg.h"
#include "win/Handles.h"
#include "win/StepMarks.h"

CVelltuneApp theApp;

bool CVelltuneApp::InitInstance(fonts::FaceEnumeration& faces, const ui::StartupFiles& files)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    win::MarkStep(L"common controls registered");

    // OK and Cancel end the program alike.
    CVelltuneDlg dialog(&faces, &files);
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

    // With arguments the program does one job without a window and reports
    // through its exit code; without, it is the window and nothing else.
    int count = 0;
    win::LocalMemory<LPWSTR> argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (argv && count > 1) return cli::Run(std::vector<std::wstring>(argv.Get() + 1, argv.Get() + count));

    // The longest single step of the start-up, and one that needs no window:
    // it runs beside everything up to the filling of the face lists.
    fonts::FaceEnumeration faces;
    win::MarkStep(L"enumeration worker started");
    // Beside the worker: creating the window would wait for the font system
    // it holds, and these reads need no window.
    const ui::StartupFiles files = ui::StartupFiles::Read();
    win::MarkStep(L"files read");
    theApp.InitInstance(faces, files);
    return 0;
}
