// Page-font lists and fields of the main dialog.
#include <algorithm>
#include <array>
#include <iterator>

#include "app/Ini.h"
#include "browser/Layout.h"
#include "fonts/FaceCombo.h"
#include "fonts/FamilyNames.h"
#include "fonts/InstalledFaces.h"
#include "fonts/PageFontSettings.h"
#include "resource.h"
#include "ui/Fields.h"
#include "ui/VelltuneDlg.h"
#include "win/StepMarks.h"
#include "win/Text.h"

namespace {

// The six role lists in the order of fonts::FaceRole.
constexpr int kRoleListIds[fonts::kFaceRoleCount] = {IDC_FACE_SERIF, IDC_FACE_SANSSERIF, IDC_FACE_STANDARD,
                                                     IDC_FACE_FIXED, IDC_FACE_CURSIVE,   IDC_FACE_FANTASY};

struct RoleFaceLists {
    explicit RoleFaceLists(HWND dialog)
        : lists{fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[0])),
                fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[1])),
                fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[2])),
                fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[3])),
                fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[4])),
                fonts::ComboFaceList(::GetDlgItem(dialog, kRoleListIds[5]))},
          pointers{&lists[0], &lists[1], &lists[2], &lists[3], &lists[4], &lists[5]}
    {
    }
    std::array<fonts::ComboFaceList, fonts::kFaceRoleCount> lists;
    fonts::FaceList* const pointers[fonts::kFaceRoleCount];
};

void EnableRoleLists(HWND dialog, bool setAll)
{
    for (int id : kRoleListIds) ::EnableWindow(::GetDlgItem(dialog, id), !setAll);
    ::EnableWindow(::GetDlgItem(dialog, IDC_FACE_SETALL), setAll);
}

bool SetAllChecked(HWND dialog)
{
    return ::IsDlgButtonChecked(dialog, IDC_CHECK_SETALL) == BST_CHECKED;
}

}  // namespace

void CVelltuneDlg::FillFontLists()
{
    installedFaces_ = pendingFaces_ ? pendingFaces_->Take() : fonts::EnumerateInstalledFaces();
    win::MarkStep(L"faces taken");
    HWND lists[std::size(ui::kFaceLists)];
    for (size_t i = 0; i < std::size(lists); ++i) lists[i] = Item(ui::kFaceLists[i]);
    fonts::FillFaceCombos(lists, installedFaces_);
}

void CVelltuneDlg::LoadPageFontSettings()
{
    ShowPageFontSettings(ui::DataFolderFiles::ReadFonts(dataFolder_));
}

void CVelltuneDlg::ShowPageFontSettings(const fonts::PageFontSettings& settings)
{
    // The file has one face per role: the lists show them each, as at start.
    if (SetAllChecked(Handle())) {
        ::CheckDlgButton(Handle(), IDC_CHECK_SETALL, BST_UNCHECKED);
        EnableRoleLists(Handle(), false);
    }
    RoleFaceLists roles(Handle());
    fonts::OtherFamilyNames otherNames(installedFaces_);
    keptFaces_ = fonts::ShowStoredFaces(settings, roles.pointers,
                                        [&otherNames](const std::wstring& name) { return otherNames.Find(name); });
    for (int i = 0; i < 4; ++i) sizeValues_[i] = settings.sizes[i];
}

std::optional<fonts::PageFontSettings> CVelltuneDlg::ShownFonts() const
{
    RoleFaceLists roles(Handle());
    const fonts::ComboFaceList setAllList(::GetDlgItem(Handle(), IDC_FACE_SETALL));
    return fonts::RecordFromControls(SetAllChecked(Handle()), setAllList, roles.pointers, sizeValues_, keptFaces_);
}

void CVelltuneDlg::ShowFaces(const std::optional<std::wstring> (&faces)[fonts::kFaceRoleCount])
{
    bool any = false;
    for (const auto& face : faces) any = any || face.has_value();
    if (!any) return;
    // Faces come per role: the set-all choice gives way, as on reset.
    if (SetAllChecked(Handle())) {
        ::CheckDlgButton(Handle(), IDC_CHECK_SETALL, BST_UNCHECKED);
        EnableRoleLists(Handle(), false);
    }
    // Shown as stored faces are; an empty face leaves its list as it is.
    fonts::PageFontSettings given;
    for (int role = 0; role < fonts::kFaceRoleCount; ++role) given.faces[role] = faces[role].value_or(L"");
    RoleFaceLists roles(Handle());
    fonts::OtherFamilyNames otherNames(installedFaces_);
    const fonts::KeptFaces kept = fonts::ShowStoredFaces(
        given, roles.pointers, [&otherNames](const std::wstring& name) { return otherNames.Find(name); });
    for (int role = 0; role < fonts::kFaceRoleCount; ++role)
        if (faces[role]) keptFaces_[role] = kept[role];
}

bool CVelltuneDlg::SavePageFontSettings(safesave::SaveTransaction& save)
{
    RoleFaceLists roles(Handle());
    const bool setAll = SetAllChecked(Handle());
    const std::optional<fonts::PageFontSettings> record = ShownFonts();
    if (!record) {
        ShowMessage(texts_.selectSetAllFont);
        return false;
    }
    // A face the engine file cannot hold would be written as question marks.
    const std::wstring engineFile = browser::EngineSettingsPath(dataFolder_);
    for (const std::wstring& face : record->faces) {
        if (ini::CanHold(engineFile, face)) continue;
        ShowMessage(win::FormatPlaceholders(texts_.faceNotSaved, {face, engineFile}));
        return false;
    }
    // Into the same copy as the smooth-scroll keys of this save.
    const std::wstring copy = save.Prepare(engineFile);
    if (copy.empty() || !record->Save(copy)) {
        ShowMessage(texts_.saveFailed);
        return false;
    }
    if (setAll) {
        // The role lists show what the file now holds, so that turning set-all
        // off later saves what the user sees.
        fonts::ChooseFaces(*record, roles.pointers);
        keptFaces_ = {};
    }
    return true;
}

void CVelltuneDlg::OnSetAllFonts()
{
    EnableRoleLists(Handle(), SetAllChecked(Handle()));
    MarkModified();
}

void CVelltuneDlg::OnSizeFieldChange(UINT editId)
{
    const int index = ui::FieldIndex(ui::kSizeFieldControls, static_cast<int>(editId));
    if (index < 0) return;
    const ui::NumberField& field = ui::kSizeFieldControls[index];
    // The text is read here rather than by GetDlgItemInt, which under Wine
    // takes "-5" for a large number.
    const fonts::SizeFieldDecision decision = fonts::CheckSizeField(win::GetItemText(Handle(), field.editId), field.fallback);
    if (decision.replace) {
        // The new text raises this handler again, which stores it; selecting
        // it lets the next keystroke replace it.
        ::SetDlgItemInt(Handle(), field.editId, decision.value, FALSE);
        ::SendDlgItemMessageW(Handle(), field.editId, EM_SETSEL, 0, -1);
        ::SendDlgItemMessageW(Handle(), field.editId, EM_SCROLLCARET, 0, 0);
        return;
    }
    sizeValues_[index] = static_cast<int>(decision.value);
    MarkModified();
}

void CVelltuneDlg::OnFaceListDropDown(UINT listId)
{
    fonts::FitNotInstalledEntries(Item(static_cast<int>(listId)), texts_.notInstalled);
}

bool CVelltuneDlg::DrawFaceListItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_COMBOBOX) return false;
    if (std::find(std::begin(ui::kFaceLists), std::end(ui::kFaceLists), static_cast<int>(item.CtlID)) ==
        std::end(ui::kFaceLists))
        return false;
    fonts::DrawFaceItem(item, faceFonts_, texts_.notInstalled);
    return true;
}

void CVelltuneDlg::OnResetFonts()
{
    if (SetAllChecked(Handle())) {
        ::CheckDlgButton(Handle(), IDC_CHECK_SETALL, BST_UNCHECKED);
        EnableRoleLists(Handle(), false);
    }
    RoleFaceLists roles(Handle());
    fonts::ChooseFaces(fonts::PageFontSettings{}, roles.pointers);
    for (int i = 0; i < 4; ++i) sizeValues_[i] = fonts::kSizeKeys[i].defaultValue;
    UpdateData(false);
    MarkModified();
}
