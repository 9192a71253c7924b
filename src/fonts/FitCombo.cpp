#include "fonts/FitCombo.h"

#include <string>

#include "win/Handles.h"

namespace fonts {

void FitComboToItems(HWND combo)
{
    win::WindowDC dc(combo);
    if (!dc) return;
    std::wstring entry;
    for (LRESULT i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length == CB_ERR) continue;
        entry.assign(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        SIZE size{};
        if (!::GetTextExtentPoint32W(dc.Get(), entry.c_str(), static_cast<int>(length), &size)) continue;
        if (::SendMessageW(combo, CB_GETITEMHEIGHT, i, 0) < size.cy)
            ::SendMessageW(combo, CB_SETITEMHEIGHT, i, MAKELPARAM(size.cy, 0));
        if (::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0) < size.cx)
            ::SendMessageW(combo, CB_SETDROPPEDWIDTH, size.cx, 0);
    }
}

}  // namespace fonts
