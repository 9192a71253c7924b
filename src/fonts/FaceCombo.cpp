#include "fonts/FaceCombo.h"

#include "fonts/FitCombo.h"

namespace fonts {

std::optional<int> ComboFaceList::FindNoCase(const std::wstring& face) const
{
    // CB_FINDSTRINGEXACT ignores case; -1 searches from the first entry.
    const LRESULT index = ::SendMessageW(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(face.c_str()));
    if (index == CB_ERR) return std::nullopt;
    return static_cast<int>(index);
}

void ComboFaceList::Select(int index)
{
    ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<std::wstring> ComboFaceList::SelectedText() const
{
    const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::nullopt;
    const LRESULT length = ::SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return std::nullopt;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ComboFaceList::AddNotInstalled(const std::wstring& face)
{
    const LRESULT index = ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    if (index < 0) return -1;
    ::SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), kNotInstalledItemData);
    FitCombosToTexts(std::span<const HWND>(&combo_, 1), {face});
    return static_cast<int>(index);
}

void FillFaceCombos(std::span<const HWND> combos, const std::vector<std::wstring>& faces)
{
    if (combos.empty()) return;
    size_t characters = 0;
    for (const std::wstring& face : faces) characters += face.size() + 1;
    for (HWND combo : combos) {
        ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(combo, CB_INITSTORAGE, faces.size(), characters * sizeof(wchar_t));
    }
    // Sorting is the costly part of adding. Given the same names in the same
    // order every list would sort them alike, so the first list sorts and the
    // others take its order as it stands (CB_INSERTSTRING does not sort).
    HWND first = combos.front();
    for (const std::wstring& face : faces) ::SendMessageW(first, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    const LRESULT count = ::SendMessageW(first, CB_GETCOUNT, 0, 0);
    std::wstring entry;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(first, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == CB_ERR) continue;
        entry.assign(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(first, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
        for (HWND other : combos.subspan(1))
            ::SendMessageW(other, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    }
    FitCombosToTexts(combos, faces);
    for (HWND combo : combos) {
        ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(combo, nullptr, TRUE);
    }
}

}  // namespace fonts
