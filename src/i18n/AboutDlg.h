// The About box: name, version, credits, and the translator's line, in the
// language its owner names.
#pragma once

#include <string>

#include "win/Dialog.h"

class CAboutDlg : public win::Dialog {
public:
    // The language file's existence is not tested: a missing one simply gives
    // the English texts.
    CAboutDlg(HWND owner, std::wstring languageFile);

protected:
    BOOL OnInitDialog() override;

private:
    std::wstring languageFile_;
};
