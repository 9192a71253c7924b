// Languages and the Language menu of the main dialog.
#include "ui/VelltuneDlg.h"

// Placeholder until the language group lands: English throughout.
void CVelltuneDlg::RunLanguageStartup()
{
    texts_ = text::StoredTexts{};
    SetValidationTexts(texts_.enterInteger, texts_.enterIntegerInRange);
}
void CVelltuneDlg::LoadLanguageList() {}
void CVelltuneDlg::BuildLanguageMenu() {}
bool CVelltuneDlg::ApplyLanguage(const std::wstring&) { return false; }
void CVelltuneDlg::ChooseDefaultLanguage() {}
void CVelltuneDlg::OnLanguageCommand(UINT) {}
void CVelltuneDlg::CheckLanguageItem(int, bool) {}
