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

void FillFaceCombos(std::span<const HWND> combos, const std::vector<std::wstring>& faces)
{
    size_t characters = 0;
    for (const std::wstring& face : faces) characters += face.size() + 1;
    for (HWND combo : combos) {
        ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(combo, CB_INITSTORAGE, faces.size(), characters * sizeof(wchar_t));
    }
    for (const std::wstring& face : faces)
        for (HWND combo : combos) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    FitCombosToTexts(combos, faces);
    for (HWND combo : combos) {
        ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(combo, nullptr, TRUE);
    }
}

}  // namespace fonts
