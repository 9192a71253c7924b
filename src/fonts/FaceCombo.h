// The dialog's face lists: drop-down lists that sort their entries.
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

// A face list over a drop-down list control.
class ComboFaceList : public FaceList {
public:
    explicit ComboFaceList(HWND combo) : combo_(combo) {}
    std::optional<int> FindNoCase(const std::wstring& face) const override;
    void Select(int index) override;
    std::optional<std::wstring> SelectedText() const override;
    // Sorted in among the others, with kNotInstalledItemData; the dropped
    // width grows to fit it.
    int AddNotInstalled(const std::wstring& face) override;

private:
    HWND combo_;
};

// Gives every combo the faces as entries, in the order each would sort them
// into, and fits them to their entries. With thousands of families, adding,
// sorting and measuring dominate the start-up: storage is reserved, drawing
// held back, the names sorted and each one measured once for all combos.
void FillFaceCombos(std::span<const HWND> combos, const std::vector<std::wstring>& faces);

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
