#include "fonts/FaceCombo.h"

#include <algorithm>
#include <utility>

#include "fonts/FitCombo.h"
#include "win/Handles.h"

namespace fonts {

namespace {

bool SameNoCase(const std::wstring& a, const std::wstring& b)
{
    // As CB_FINDSTRINGEXACT compares.
    return ::lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

std::optional<int> FindIn(const std::vector<std::wstring>& faces, const std::wstring& face, int offset)
{
    // An exact match first: the usual case, and far cheaper than the
    // comparison without regard to case.
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i] == face) return offset + static_cast<int>(i);
    for (size_t i = 0; i < faces.size(); ++i)
        if (SameNoCase(faces[i], face)) return offset + static_cast<int>(i);
    return std::nullopt;
}

std::wstring EntryText(HWND combo, UINT index)
{
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The entry spelled exactly as the text: a search that ignores case may stop
// first at another family whose name differs from it in case only.
LRESULT FindExactly(HWND combo, const std::wstring& text)
{
    const LRESULT first =
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    for (LRESULT at = first; at != CB_ERR;) {
        if (EntryText(combo, static_cast<UINT>(at)) == text) return at;
        const LRESULT next =
            ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.c_str()));
        if (next <= at) break;  // the search went round to the start
        at = next;
    }
    return first;
}

// The names in the order a sorting list puts them: by the sort keys of the
// list's locale, without regard to case, which order the names exactly as its
// own comparisons do. Given in that order, one after the other, they cost the
// list neither comparisons nor moves; added for it to sort, each one costs
// both, and with thousands of families that is most of filling a list.
std::vector<const std::wstring*> InListOrder(HWND combo, const std::vector<std::wstring>& names)
{
    const LCID locale = static_cast<LCID>(::SendMessageW(combo, CB_GETLOCALE, 0, 0));
    std::vector<std::pair<std::string, const std::wstring*>> keyed;
    keyed.reserve(names.size());
    for (const std::wstring& name : names) {
        std::string key;
        const int size = ::LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, name.c_str(), -1, nullptr, 0);
        if (size > 0) {
            key.resize(static_cast<size_t>(size));
            ::LCMapStringW(locale, LCMAP_SORTKEY | NORM_IGNORECASE, name.c_str(), -1,
                           reinterpret_cast<LPWSTR>(key.data()), size);
        }
        keyed.emplace_back(std::move(key), &name);
    }
    // Stable: names the list cannot tell apart stay in the order given.
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const std::wstring*> ordered;
    ordered.reserve(keyed.size());
    for (const auto& entry : keyed) ordered.push_back(entry.second);
    return ordered;
}

}  // namespace

const std::vector<std::wstring>& FaceCombo::Installed() const
{
    static const std::vector<std::wstring> none;
    return installed_ ? *installed_ : none;
}

std::optional<int> FaceCombo::FindNoCase(const std::wstring& face) const
{
    if (!filled_) {
        if (const std::optional<int> index = FindIn(Installed(), face, 0)) return index;
        return FindIn(notInstalled_, face, static_cast<int>(Installed().size()));
    }
    // CB_FINDSTRINGEXACT ignores case; -1 searches from the first entry.
    const LRESULT index = ::SendMessageW(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(face.c_str()));
    if (index == CB_ERR) return std::nullopt;
    return static_cast<int>(index);
}

void FaceCombo::Select(int index)
{
    if (filled_) {
        ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    if (index < 0) return;
    const size_t at = static_cast<size_t>(index);
    const size_t installedCount = Installed().size();
    if (at < installedCount)
        ShowOnly(Installed()[at], true);
    else if (at - installedCount < notInstalled_.size())
        ShowOnly(notInstalled_[at - installedCount], false);
}

void FaceCombo::ShowOnly(const std::wstring& face, bool installed)
{
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    const LRESULT index = ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    if (index < 0) return;
    if (!installed) ::SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), kNotInstalledItemData);
    ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // The closed list draws its face at the item height the full list will have.
    FitCombosToTexts(std::span<const HWND>(&combo_, 1), {face});
}

std::optional<std::wstring> FaceCombo::SelectedText() const
{
    const LRESULT index = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::nullopt;
    if (::SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) == CB_ERR) return std::nullopt;
    return EntryText(combo_, static_cast<UINT>(index));
}

int FaceCombo::AddNotInstalled(const std::wstring& face)
{
    if (!filled_) {
        notInstalled_.push_back(face);
        return static_cast<int>(Installed().size() + notInstalled_.size() - 1);
    }
    const LRESULT index = ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    if (index < 0) return -1;
    ::SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), kNotInstalledItemData);
    FitCombosToTexts(std::span<const HWND>(&combo_, 1), {face});
    return static_cast<int>(index);
}

void FaceCombo::ForgetNotInstalled(const std::wstring& face)
{
    if (filled_) return;
    const auto it = std::find(notInstalled_.begin(), notInstalled_.end(), face);
    if (it != notInstalled_.end()) notInstalled_.erase(it);
}

void FaceCombo::Fill()
{
    if (filled_ || !combo_) return;
    filled_ = true;
    const std::optional<std::wstring> shown = SelectedText();
    const std::vector<std::wstring>& installed = Installed();

    ::SendMessageW(combo_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    size_t characters = 0;
    for (const std::wstring& face : installed) characters += face.size() + 1;
    for (const std::wstring& face : notInstalled_) characters += face.size() + 1;
    ::SendMessageW(combo_, CB_INITSTORAGE, installed.size() + notInstalled_.size(), characters * sizeof(wchar_t));
    for (const std::wstring* face : InListOrder(combo_, installed))
        ::SendMessageW(combo_, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face->c_str()));
    // Few: the list sorts them in itself.
    for (const std::wstring& face : notInstalled_) {
        const LRESULT index = ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
        if (index >= 0) ::SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(index), kNotInstalledItemData);
    }
    FitCombosToTexts(std::span<const HWND>(&combo_, 1), installed);
    FitCombosToTexts(std::span<const HWND>(&combo_, 1), notInstalled_);
    notInstalled_.clear();

    if (shown) ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(FindExactly(combo_, *shown)), 0);
    ::SendMessageW(combo_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(combo_, nullptr, TRUE);
}

namespace {

// Letters a symbol face shows its own shapes for.
constexpr wchar_t kSymbolSample[] = L"AaBbCc";

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
