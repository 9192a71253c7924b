// The small dialog of "Restore Earlier Settings...": a list of the backups,
// newest first, from which OK picks one. Putting it back is the caller's.
#pragma once

#include <string>
#include <vector>

#include "win/Dialog.h"

class CRestoreDlg : public win::Dialog {
public:
    CRestoreDlg(HWND owner, std::wstring languageFile, std::vector<std::wstring> lines);

    // The index of the line chosen with OK; -1 otherwise.
    int Chosen() const { return chosen_; }

protected:
    BOOL OnInitDialog() override;
    bool RouteCommand(UINT code, UINT id) override;
    void OnOK() override;

private:
    std::wstring languageFile_;
    std::vector<std::wstring> lines_;
    int chosen_ = -1;
};
