// The About box: name, version, credits, and the translator's line, in the
// language last chosen in the main dialog.
#pragma once

#include "win/Dialog.h"

class CAboutDlg : public win::Dialog {
public:
    explicit CAboutDlg(HWND owner = nullptr);

protected:
    BOOL OnInitDialog() override;
};
