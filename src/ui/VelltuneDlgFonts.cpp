// Page-font lists and fields of the main dialog.
#include "ui/VelltuneDlg.h"

// Placeholders until the font group lands.
void CVelltuneDlg::FillFontLists() {}
void CVelltuneDlg::LoadPageFontSettings() {}
bool CVelltuneDlg::SavePageFontSettings() { return true; }
void CVelltuneDlg::OnSetAllFonts() { MarkModified(); }
void CVelltuneDlg::OnSizeFieldChange(UINT) {}
void CVelltuneDlg::OnResetFonts() { MarkModified(); }
