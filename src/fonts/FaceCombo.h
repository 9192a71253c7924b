// The dialog's face lists: drop-down lists that sort their entries, filled
// when first used.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "fonts/FaceFontCache.h"
#include "fonts/PageFontSettings.h"

namespace fonts {

// Item data of a face-list entry that names a face no installed family has
// (a stored face kept as it is); the lists draw such an entry marked.
inline constexpr LPARAM kNotInstalledItemData = 1;

// A face list over a drop-down list control that holds every installed face
// only from its first use on. Until Fill it holds just the face it shows (or
// nothing, when it shows none), and the entries it would hold are looked up in
// the installed faces instead: with thousands of families, adding, sorting and
// measuring them all is most of what a start-up would otherwise spend on the
// lists, for lists the user may never open. Before Fill, an index of
// FindNoCase or AddNotInstalled stands for such an entry and means something
// only to Select.
class FaceCombo : public FaceList {
public:
    FaceCombo() = default;
    // installed: not owned; read from the first use of the list on.
    FaceCombo(HWND combo, const std::vector<std::wstring>* installed) : combo_(combo), installed_(installed) {}

    // Gives the list every installed face and every face marked not installed
    // it has shown, sorted as the list sorts them and fitted, the face it
    // showed still selected. Only the first call does anything.
    void Fill();

    std::optional<int> FindNoCase(const std::wstring& face) const override;
    void Select(int index) override;
    std::optional<std::wstring> SelectedText() const override;
    // Sorted in among the others, with kNotInstalledItemData; the dropped
    // width grows to fit it.
    int AddNotInstalled(const std::wstring& face) override;
    // Before Fill: takes back the entry AddNotInstalled gave a face that
    // turned out to be installed under another name. The list shows what it
    // showed; nothing after Fill.
    void ForgetNotInstalled(const std::wstring& face);

private:
    const std::vector<std::wstring>& Installed() const;
    // Before Fill: the list's one entry becomes the face, selected.
    void ShowOnly(const std::wstring& face, bool installed);

    HWND combo_ = nullptr;
    const std::vector<std::wstring>* installed_ = nullptr;
    bool filled_ = false;
    // Faces marked not installed that the list has been given, kept for Fill.
    std::vector<std::wstring> notInstalled_;
};

// Draws a face-list entry, or the closed list's selected face, as WM_DRAWITEM
// asks: the name in its own face at the item's height; a symbol face's name in
// the list's font followed by a sample in the face; an entry marked as not
// installed in the list's font, greyed, with the note after the name. Names
// too wide for a dropped list are drawn smaller rather than cut.
void DrawFaceItem(const DRAWITEMSTRUCT& item, FaceFontCache& fonts, const std::wstring& notInstalledNote);

// Widens a dropped list for its entries marked as not installed, whose note
// the fitting of the installed names did not count. For the moment a list
// drops down: the entries and the note's language may have changed since.
void FitNotInstalledEntries(HWND combo, const std::wstring& notInstalledNote);

}  // namespace fonts
