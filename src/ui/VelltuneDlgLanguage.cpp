// Languages and the Language menu of the main dialog.
#include "ui/VelltuneDlg.h"

#include "app/Settings.h"
#include "browser/DataFolder.h"
#include "i18n/Languages.h"
#include "resource.h"
#include "ui/Fields.h"
#include "win/Text.h"

namespace {

// Positions in menu template 129 of the two drop-downs; command items are
// found by their ids, so items can be added without moving these.
constexpr UINT kMenuBarDropDown = 0;
constexpr UINT kLanguageSubmenu = 1;

void SetItemCaption(HMENU menu, UINT commandId, const std::wstring& caption)
{
    ::ModifyMenuW(menu, commandId, MF_BYCOMMAND | MF_STRING, commandId, caption.c_str());
}

// A drop-down named with MF_POPUP and its own handle stays attached; without
// MF_POPUP some platforms detach it (or destroy it) along with the old text.
void SetDropDownCaption(HMENU menu, UINT position, const std::wstring& caption)
{
    HMENU dropDown = ::GetSubMenu(menu, static_cast<int>(position));
    if (!dropDown) return;
    ::ModifyMenuW(menu, position, MF_BYPOSITION | MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown),
                  caption.c_str());
}

}  // namespace

void CVelltuneDlg::RunLanguageStartup(const ui::StartupFiles& files)
{
    languages_ = files.languages.names;
    simplifiedChinese_ = files.languages.simplifiedChinese;
    traditionalChinese_ = files.languages.traditionalChinese;
    savedLanguage_ = files.languages.saved;
    BuildLanguageMenu(files.languageCaptions);
    // Settings.ini already names the saved language: no need to write it back.
    if (savedLanguage_ != -1 && files.savedLanguage) {
        ApplyLanguage(languages_[savedLanguage_], *files.savedLanguage, false);
        CheckLanguageItem(savedLanguage_, true);
        currentLanguage_ = savedLanguage_;
        return;
    }
    ChooseDefaultLanguage();
}

void CVelltuneDlg::BuildLanguageMenu(const std::vector<std::wstring>& captions)
{
    // The template gave the window menu 129 already; the languages join it
    // there rather than in a second copy loaded to replace it.
    HMENU languageMenu = ::GetSubMenu(::GetSubMenu(::GetMenu(Handle()), kMenuBarDropDown), kLanguageSubmenu);
    if (!languageMenu) return;

    for (std::size_t i = 1; i < captions.size(); ++i)
        ::AppendMenuW(languageMenu, MF_STRING, lang::kFirstCommand + i, captions[i].c_str());
}

bool CVelltuneDlg::ApplyLanguage(const std::wstring& fileName, bool remember)
{
    const std::wstring path = settings::LanguageFilePath(workingFolder_, fileName);
    if (!lang::CanApply(fileName, path)) return false;
    // Read once; every text below is looked up in memory.
    const text::LanguageFile file(path);
    ApplyLanguage(fileName, file, remember);
    return true;
}

void CVelltuneDlg::ApplyLanguage(const std::wstring& fileName, const text::LanguageFile& file, bool remember)
{

    for (const text::Caption& caption : text::kMainCaptions)
        win::SetItemText(Handle(), caption.controlId, file.Get(caption.key));

    for (const text::Caption& entry : text::kMainTips) tips_.SetText(Item(entry.controlId), file.Get(entry.key));

    texts_ = text::LoadStoredTexts(file);
    win::SetItemText(Handle(), IDCANCEL, modified_ ? texts_.cancel : texts_.close);
    SetValidationTexts(texts_.enterInteger, texts_.enterIntegerInRange);
    // An entry of a face not installed carries a note in the language.
    for (int id : ui::kFaceLists) ::InvalidateRect(Item(id), nullptr, FALSE);

    if (HMENU bar = ::GetMenu(Handle())) {
        SetDropDownCaption(bar, kMenuBarDropDown, file.Get(text::kMenu));
        if (HMENU dropDown = ::GetSubMenu(bar, kMenuBarDropDown)) {
            SetItemCaption(dropDown, ID_MENU_SETDATAFOLDER, file.Get(text::kSetDataFolder));
            SetDropDownCaption(dropDown, kLanguageSubmenu, lang::LanguageSubmenuCaption(fileName, file));
            SetItemCaption(dropDown, ID_MENU_EXPORT, file.Get(text::kExportMenu));
            SetItemCaption(dropDown, ID_MENU_IMPORT, file.Get(text::kImportMenu));
            SetItemCaption(dropDown, ID_MENU_RESTORE, file.Get(text::kRestoreMenu));
            SetItemCaption(dropDown, ID_MENU_ABOUT, file.Get(text::kAbout));
            SetItemCaption(dropDown, ID_MENU_EXIT, file.Get(text::kExit));
        }
        ::DrawMenuBar(Handle());
    }

    // Remembered for the next start and for the dialogs that read it; a
    // settings file that cannot be written just forgets the choice.
    if (!remember) return;
    settings::WriteLanguageFile(workingFolder_, fileName);
    if (!dataFolder_.empty()) datafolder::CompleteStored(workingFolder_, dataFolder_);
}

void CVelltuneDlg::ChooseDefaultLanguage()
{
    int index = -1;
    switch (lang::DefaultLanguageFor(::GetSystemDefaultLangID())) {
    case lang::DefaultLanguage::SimplifiedChinese:
        index = simplifiedChinese_;
        break;
    case lang::DefaultLanguage::TraditionalChinese:
        index = traditionalChinese_;
        break;
    case lang::DefaultLanguage::English:
        break;
    }
    // Only a listed file is tried, so the language applied always has an item
    // to carry the check mark.
    if (index == -1 || !ApplyLanguage(languages_[index])) {
        index = 0;
        ApplyLanguage(text::kEnglishFile);
    }
    CheckLanguageItem(index, true);
    currentLanguage_ = index;
}

void CVelltuneDlg::OnLanguageCommand(UINT id)
{
    const int index = lang::IndexOfCommand(id, languages_.size());
    if (index == -1) return;
    // A file removed since start: stay as we are, without a word.
    if (!ApplyLanguage(languages_[index])) return;
    if (index == currentLanguage_) return;
    CheckLanguageItem(currentLanguage_, false);
    CheckLanguageItem(index, true);
    currentLanguage_ = index;
}

void CVelltuneDlg::CheckLanguageItem(int index, bool checked)
{
    if (index < 0) return;
    HMENU bar = ::GetMenu(Handle());
    if (!bar) return;
    ::CheckMenuItem(bar, lang::kFirstCommand + static_cast<UINT>(index),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}
