// Data folder, accounts, smooth-scroll and new-tab settings of the main dialog.
#include "ui/VelltuneDlg.h"

// Placeholders until the browser group lands.
bool CVelltuneDlg::LocateDataFolder() { return true; }
bool CVelltuneDlg::ChooseDataFolder() { return false; }
bool CVelltuneDlg::FillAccountList() { return true; }
void CVelltuneDlg::OnAccountSelChange() {}
void CVelltuneDlg::LoadSmoothScrollSettings() {}
bool CVelltuneDlg::SaveSmoothScrollSettings() { return true; }
void CVelltuneDlg::LoadNewTabSettings(const std::wstring&) {}
bool CVelltuneDlg::SaveNewTabSettings() { return true; }
void CVelltuneDlg::EnableSmoothScrollControls(bool) {}
void CVelltuneDlg::OnSmoothScrollEnable() { MarkModified(); }
void CVelltuneDlg::OnSmoothScrollDisable() { MarkModified(); }
void CVelltuneDlg::OnScrollValueChange(UINT) {}
void CVelltuneDlg::OnResetScrollValues() { MarkModified(); }
