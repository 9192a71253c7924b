// Page-font lists and fields of the main dialog.
#include <algorithm>
#include <iterator>
#include <utility>

#include "browser/Layout.h"
#include "fonts/FaceCombo.h"
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

void CVelltuneDlg::PrepareFaceLists()
{
    installedFaces_ = pendingFaces_ ? pendingFaces_->Take() : fonts::EnumerateInstalledFaces();
    otherNames_ = std::make_unique<fonts::OtherNamesReading>(installedFaces_);
    for (size_t i = 0; i < faceLists_.size(); ++i)
        faceLists_[i] = fonts::FaceCombo(Item(ui::kFaceLists[i]), &installedFaces_);
}

fonts::FaceCombo* CVelltuneDlg::FaceListOf(UINT id)
{
    for (size_t i = 0; i < faceLists_.size(); ++i)
        if (ui::kFaceLists[i] == static_cast<int>(id)) return &faceLists_[i];
    return nullptr;
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
    SettleStoredFaces();
    keptFaces_ = fonts::ShowStoredFaces(settings, roleLists_,
                                        [this](const std::wstring& name) { return otherNames_->Find(name); });
    for (int i = 0; i < 4; ++i) sizeValues_[i] = settings.sizes[i];
}

void CVelltuneDlg::ShowPageFontSettingsAtStart(const fonts::PageFontSettings& settings)
{
    std::vector<std::wstring> unmatched;
    keptFaces_ = fonts::ShowStoredFaces(settings, roleLists_, [&unmatched](const std::wstring& name) {
        unmatched.push_back(name);
        return std::nullopt;
    });
    // Read by a worker from the first paint on (see OnWindowMessage), or at the first need.
    for (size_t role = 0; role < unsettledFaces_.size(); ++role) {
        const std::wstring& face = settings.faces[role];
        if (!face.empty() && std::find(unmatched.begin(), unmatched.end(), face) != unmatched.end())
            unsettledFaces_[role] = face;
    }
    for (int i = 0; i < 4; ++i) sizeValues_[i] = settings.sizes[i];
}

void CVelltuneDlg::StartReadingOtherNames()
{
    if (!OtherNamesAwaited()) return;
    // Without a worker the faces are settled here, the window already drawn.
    if (!otherNames_->Start(Handle(), kOtherNamesRead)) SettleStoredFaces();
}

bool CVelltuneDlg::OtherNamesAwaited() const
{
    return std::any_of(unsettledFaces_.begin(), unsettledFaces_.end(), [](const auto& face) { return face.has_value(); });
}

void CVelltuneDlg::SettleStoredFaces()
{
    if (!OtherNamesAwaited()) return;
    win::MarkStep(L"stored faces settling");
    // Taken at once: settling changes the lists, which may bring us back here.
    const auto unsettled = std::exchange(unsettledFaces_, {});
    for (size_t role = 0; role < unsettled.size(); ++role) {
        const std::optional<std::wstring>& face = unsettled[role];
        if (!face) continue;
        const std::optional<std::wstring> family = otherNames_->Find(*face);
        if (!family) continue;  // installed under no name: its entry stays
        fonts::FaceCombo& list = faceLists_[role];
        // As if the family had been found at start: no entry of the face's own.
        list.ForgetNotInstalled(*face);
        if (list.SelectedText() != face) continue;
        if (const std::optional<int> index = list.FindNoCase(*family)) {
            list.Select(*index);
            keptFaces_[role] = fonts::KeptFace{*family, *face};
        }
    }
    win::MarkStep(L"stored faces settled");
}

std::optional<fonts::PageFontSettings> CVelltuneDlg::ShownFonts() const
{
    return fonts::RecordFromControls(SetAllChecked(Handle()), faceLists_[fonts::kFaceRoleCount], roleLists_, sizeValues_,
                                     keptFaces_);
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
    SettleStoredFaces();
    fonts::PageFontSettings given;
    for (int role = 0; role < fonts::kFaceRoleCount; ++role) given.faces[role] = faces[role].value_or(L"");
    const fonts::KeptFaces kept = fonts::ShowStoredFaces(
        given, roleLists_, [this](const std::wstring& name) { return otherNames_->Find(name); });
    for (int role = 0; role < fonts::kFaceRoleCount; ++role)
        if (faces[role]) keptFaces_[role] = kept[role];
}

void CVelltuneDlg::ShowSetAllFaceInRoleLists(const fonts::PageFontSettings& record)
{
    if (!SetAllChecked(Handle())) return;
    fonts::ChooseFaces(record, roleLists_);
    keptFaces_ = {};
}

bool CVelltuneDlg::SetAllOn() const
{
    return SetAllChecked(Handle());
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
    SettleStoredFaces();
    if (SetAllChecked(Handle())) {
        ::CheckDlgButton(Handle(), IDC_CHECK_SETALL, BST_UNCHECKED);
        EnableRoleLists(Handle(), false);
    }
    fonts::ChooseFaces(fonts::PageFontSettings{}, roleLists_);
    for (int i = 0; i < 4; ++i) sizeValues_[i] = fonts::kSizeKeys[i].defaultValue;
    UpdateData(false);
    MarkModified();
}
