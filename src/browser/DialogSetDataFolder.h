// The small dialog that asks for the browser data folder, at start when none
// is found and from the menu. On OK the folder it accepted is valid, ends in
// "\" and has been written to Settings.ini, if that file could be written.
#pragma once

#include <string>

#include "win/Dialog.h"

class CDialogSetDataFolder : public win::Dialog {
public:
    explicit CDialogSetDataFolder(HWND owner = nullptr);

    // The folder that passed the accept rule; empty unless the dialog ended
    // with OK. The caller goes on with it even when Settings.ini could not
    // be written, rather than with whatever that file still holds.
    const std::wstring& AcceptedFolder() const { return acceptedFolder_; }

protected:
    BOOL OnInitDialog() override;
    bool RouteCommand(UINT code, UINT id) override;

private:
    static const win::CommandEntry<CDialogSetDataFolder> kMessageMap[];

    void OnBrowse();
    void OnAccept();

    std::wstring workingFolder_;
    std::wstring browsePrompt_;
    std::wstring invalidDirectory_;
    std::wstring incorrectFolder_;
    std::wstring settingsFileMissing_;
    std::wstring acceptedFolder_;
};
