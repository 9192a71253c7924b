#include "fonts/FaceCombo.h"

#include "fonts/FitCombo.h"
#include "win/Handles.h"

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

namespace {

// Letters a symbol face shows its own shapes for.
constexpr wchar_t kSymbolSample[] = L"AaBbCc";

std::wstring EntryText(HWND combo, UINT index)
{
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// What an entry marked as not installed shows.
std::wstring NotInstalledText(const std::wstring& name, const std::wstring& note)
{
    return name + L" " + note;
}

LONG TextWidth(HDC dc, HFONT font, const std::wstring& text)
{
    win::SelectedObject selected(dc, font);
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

void DrawLine(HDC dc, HFONT font, const std::wstring& text, RECT box, UINT flags)
{
    win::SelectedObject selected(dc, font);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | flags);
}

}  // namespace

void DrawFaceItem(const DRAWITEMSTRUCT& item, FaceFontCache& fonts, const std::wstring& notInstalledNote)
{
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    if (item.itemID != static_cast<UINT>(-1)) {
        const std::wstring name = EntryText(item.hwndItem, item.itemID);
        const bool installed = ::SendMessageW(item.hwndItem, CB_GETITEMDATA, item.itemID, 0) != kNotInstalledItemData;
        const bool grey = !installed || (item.itemState & ODS_DISABLED) != 0;
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);

        HFONT listFont = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
        if (!listFont) listFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        RECT box = item.rcItem;
        box.left += kItemTextMargin;
        box.right -= kItemTextMargin;
        // The closed list is as narrow as the control: there a long name ends
        // in an ellipsis, as plain lists cut it; a dropped list is fitted to its
        // names, so only a face wider than the list's font needs to shrink.
        const bool closed = (item.itemState & ODS_COMBOBOXEDIT) != 0;
        const UINT flags = closed ? DT_END_ELLIPSIS : 0;
        // The dropped list's item height, also in the closed list (which is
        // a little higher), so that a face looks the same in both.
        const LRESULT itemHeight = ::SendMessageW(item.hwndItem, CB_GETITEMHEIGHT, 0, 0);
        const int height = static_cast<int>(itemHeight > 0 ? itemHeight : item.rcItem.bottom - item.rcItem.top);

        FaceFontCache::Face face{nullptr, false};
        if (installed && height > 0) face = fonts.Get(dc, name, height);
        if (!face.font) {
            DrawLine(dc, listFont, installed ? name : NotInstalledText(name, notInstalledNote), box, flags);
        } else if (face.symbol) {
            DrawLine(dc, listFont, name, box, flags);
            box.left += TextWidth(dc, listFont, name + L" ");
            if (box.left < box.right) DrawLine(dc, face.font, kSymbolSample, box, 0);
        } else {
            const LONG room = box.right - box.left;
            const LONG width = TextWidth(dc, face.font, name);
            if (!closed && room > 0 && width > room) {
                const int smaller = static_cast<int>(static_cast<long long>(height) * room / width);
                const FaceFontCache::Face fitted = fonts.Get(dc, name, smaller > 0 ? smaller : 1);
                if (fitted.font) face = fitted;
            }
            DrawLine(dc, face.font, name, box, flags);
        }
        ::SetBkMode(dc, oldMode);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &item.rcItem);
}

void FitNotInstalledEntries(HWND combo, const std::wstring& notInstalledNote)
{
    std::vector<std::wstring> texts;
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == kNotInstalledItemData)
            texts.push_back(NotInstalledText(EntryText(combo, static_cast<UINT>(i)), notInstalledNote));
    FitCombosToTexts(std::span<const HWND>(&combo, 1), texts);
}

}  // namespace fonts
