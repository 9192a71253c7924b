// The application object: registers the common controls and runs the main
// dialog; the program ends when the dialog closes.
#pragma once

class CVelltuneApp {
public:
    // Runs the whole program; there is no message loop of its own afterwards.
    bool InitInstance();
};

extern CVelltuneApp theApp;
