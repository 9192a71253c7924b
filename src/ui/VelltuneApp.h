// The application object: registers the common controls and runs the main
// dialog; the program ends when the dialog closes.
#pragma once

#include "fonts/FaceEnumeration.h"
#include "ui/StartupFiles.h"

class CVelltuneApp {
public:
    // Runs the whole program; there is no message loop of its own afterwards.
    // The dialog takes the faces from the enumeration when it fills its lists,
    // and shows the files read before it was created.
    bool InitInstance(fonts::FaceEnumeration& faces, const ui::StartupFiles& files);
};

extern CVelltuneApp theApp;
