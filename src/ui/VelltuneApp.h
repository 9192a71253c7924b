// The application object: registers the common controls and runs the main
// dialog; the program ends when the dialog closes.
#pragma once

#include "fonts/FaceEnumeration.h"

class CVelltuneApp {
public:
    // Runs the whole program; there is no message loop of its own afterwards.
    // The dialog takes the faces from the enumeration when it fills its lists.
    bool InitInstance(fonts::FaceEnumeration& faces);
};

extern CVelltuneApp theApp;
