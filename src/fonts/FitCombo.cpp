#include "fonts/FitCombo.h"

#include "win/Handles.h"

namespace fonts {

namespace {

// An owner-drawn list sizes its items before it is given the dialog's font,
// so its first height can be too high as well as too low.
void SetItemHeight(HWND combo, LONG height)
{
    if (height > 0 && ::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0) != height)
        ::SendMessageW(combo, CB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
}

// The dropped width is the list window's, borders and scroll bar included.
void GrowDroppedWidth(HWND combo, LONG textWidth)
{
    const LONG width = textWidth + 2 * kItemTextMargin + 2 * ::GetSystemMetrics(SM_CXEDGE) +
                       ::GetSystemMetrics(SM_CXVSCROLL);
    if (::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0) < width)
        ::SendMessageW(combo, CB_SETDROPPEDWIDTH, width, 0);
}

// A combo's DC carries the default font, not the one the list draws with.
HGDIOBJ ListFont(HWND combo)
{
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(combo, WM_GETFONT, 0, 0));
    return font ? font : ::GetStockObject(SYSTEM_FONT);
}

}  // namespace

void FitComboToItems(HWND combo)
{
    win::WindowDC dc(combo);
    if (!dc) return;
    win::SelectedObject font(dc.Get(), ListFont(combo));
    SIZE largest{};
    std::wstring entry;
    for (LRESULT i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length == CB_ERR) continue;
        entry.assign(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        SIZE size{};
        if (!::GetTextExtentPoint32W(dc.Get(), entry.c_str(), static_cast<int>(length), &size)) continue;
        if (size.cx > largest.cx) largest.cx = size.cx;
        if (size.cy > largest.cy) largest.cy = size.cy;
    }
    // The entries share one height, so setting index 0 sets them all.
    SetItemHeight(combo, largest.cy);
    GrowDroppedWidth(combo, largest.cx);
}

void FitCombosToTexts(std::span<const HWND> combos, const std::vector<std::wstring>& texts)
{
    if (combos.empty() || texts.empty()) return;
    SIZE largest{};
    {
        win::WindowDC dc(combos.front());
        if (!dc) return;
        win::SelectedObject font(dc.Get(), ListFont(combos.front()));
        for (const std::wstring& text : texts) {
            SIZE size{};
            if (!::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size)) continue;
            if (size.cx > largest.cx) largest.cx = size.cx;
            if (size.cy > largest.cy) largest.cy = size.cy;
        }
    }
    for (HWND combo : combos) {
        if (::SendMessageW(combo, CB_GETCOUNT, 0, 0) <= 0) continue;
        SetItemHeight(combo, largest.cy);
        GrowDroppedWidth(combo, largest.cx);
    }
}

}  // namespace fonts
