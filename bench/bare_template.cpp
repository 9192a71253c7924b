// The main dialog's own template, shown as it is with one font enumeration
// and no other work: the part of Velltune's start-up that the controls
// themselves cost, so that scripts/bench can tell it from the initialisation.
#include "OneEnumerationDialog.h"
#include "resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return bench::RunOneEnumerationDialog(instance, IDD_VELLTUNE_DIALOG);
}
