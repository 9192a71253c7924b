// The dialog's face lists: drop-down lists that sort their entries.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

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

}  // namespace fonts
