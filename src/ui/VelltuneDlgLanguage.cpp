// Languages and the Language menu of the main dialog.
#include "ui/VelltuneDlg.h"

#include <shlwapi.h>

#include <cwchar>

#include "app/Settings.h"
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

void CVelltuneDlg::RunLanguageStartup()
{
    LoadLanguageList();
    BuildLanguageMenu();
    if (savedLanguage_ != -1 && ApplyLanguage(languages_[savedLanguage_])) {
        CheckLanguageItem(savedLanguage_, true);
        currentLanguage_ = savedLanguage_;
        return;
    }
    ChooseDefaultLanguage();
}

void CVelltuneDlg::LoadLanguageList()
{
    lang::LanguageList list =
        lang::BuildLanguageList(settings::ReadLanguageFile(workingFolder_),
                                lang::EnumerateLanguageFiles(settings::LanguageFolder(workingFolder_)));
    languages_ = std::move(list.names);
    simplifiedChinese_ = list.simplifiedChinese;
    traditionalChinese_ = list.traditionalChinese;
    savedLanguage_ = list.saved;
}

void CVelltuneDlg::BuildLanguageMenu()
{
    menuHolder_.Reset(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINMENU)));
    if (!menuHolder_) return;
    HMENU languageMenu = ::GetSubMenu(::GetSubMenu(menuHolder_.Get(), kMenuBarDropDown), kLanguageSubmenu);
    if (!languageMenu) return;

    const std::size_t count = languages_.size();
    for (std::size_t i = 1; i < count; ++i) {
        const std::wstring caption = text::Get(settings::LanguageFilePath(workingFolder_, languages_[i]),
                                               text::kLanguageName, text::kLanguageNameCapacity);
        ::AppendMenuW(languageMenu, MF_STRING, lang::kFirstCommand + i, caption.c_str());
    }

    win::Menu previous(::GetMenu(Handle()));
    if (::SetMenu(Handle(), menuHolder_.Get())) {
        // The window owns the new menu now; the template's copy goes.
        menuHolder_.Release();
    } else {
        // The window keeps its menu; ours goes with the holder instead.
        previous.Release();
    }
}

bool CVelltuneDlg::ApplyLanguage(const std::wstring& fileName)
{
    const std::wstring path = settings::LanguageFilePath(workingFolder_, fileName);
    if (fileName != text::kEnglishFile && !::PathFileExistsW(path.c_str())) return false;

    for (const text::Caption& caption : text::kMainCaptions)
        win::SetItemText(Handle(), caption.controlId, text::Get(path, caption.key));

    // Alike controls of one setting stand together in the table: one read serves them.
    const wchar_t* tipKey = nullptr;
    std::wstring tip;
    for (const text::Caption& entry : text::kMainTips) {
        if (!tipKey || std::wcscmp(tipKey, entry.key.name) != 0) tip = text::Get(path, entry.key);
        tipKey = entry.key.name;
        tips_.SetText(Item(entry.controlId), tip);
    }

    texts_ = text::LoadStoredTexts(path);
    win::SetItemText(Handle(), IDCANCEL, modified_ ? texts_.cancel : texts_.close);
    SetValidationTexts(texts_.enterInteger, texts_.enterIntegerInRange);
    // An entry of a face not installed carries a note in the language.
    for (int id : ui::kFaceLists) ::InvalidateRect(Item(id), nullptr, FALSE);

    if (HMENU bar = ::GetMenu(Handle())) {
        SetDropDownCaption(bar, kMenuBarDropDown, text::Get(path, text::kMenu));
        if (HMENU dropDown = ::GetSubMenu(bar, kMenuBarDropDown)) {
            SetItemCaption(dropDown, ID_MENU_SETDATAFOLDER, text::Get(path, text::kSetDataFolder));
            SetDropDownCaption(dropDown, kLanguageSubmenu, lang::LanguageSubmenuCaption(fileName, path));
            SetItemCaption(dropDown, ID_MENU_RESTORE, text::Get(path, text::kRestoreMenu));
            SetItemCaption(dropDown, ID_MENU_ABOUT, text::Get(path, text::kAbout));
            SetItemCaption(dropDown, ID_MENU_EXIT, text::Get(path, text::kExit));
        }
        ::DrawMenuBar(Handle());
    }

    // Remembered for the next start and for the dialogs that read it; a
    // settings file that cannot be written just forgets the choice.
    settings::WriteLanguageFile(workingFolder_, fileName);
    return true;
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
