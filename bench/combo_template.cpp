// The floor's empty dialog with the main dialog's eight drop-down lists in
// their places, nothing else: scripts/bench shows with it how much of the
// main template's cost these controls alone carry.
#include "OneEnumerationDialog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return bench::RunOneEnumerationDialog(instance, 100);
}
