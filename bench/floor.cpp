// The least any start-up can do: enumerate the font families once and show
// an empty dialog of the main dialog's size. scripts/bench compares against it.
#include "OneEnumerationDialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return bench::RunOneEnumerationDialog(instance, 100);
}
