#include "fonts/FaceFontCache.h"

#include <algorithm>

namespace fonts {

FaceFontCache::Face FaceFontCache::Get(HDC dc, const std::wstring& face, int height)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& e) { return e.height == height && e.face == face; });
    if (found != entries_.end()) {
        // Most recently used last: a rotation keeps the order of the others.
        std::rotate(found, found + 1, entries_.end());
        return {entries_.back().font.Get(), entries_.back().symbol};
    }

    LOGFONTW logFont{};
    logFont.lfHeight = height;  // positive: the cell height, so the name fills the item as a whole
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;  // any: a symbol face must still be found by its name
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    win::Font font(::CreateFontIndirectW(&logFont));
    if (!font) return {nullptr, false};

    bool symbol = false;
    if (dc) {
        win::SelectedObject selected(dc, font.Get());
        symbol = ::GetTextCharset(dc) == SYMBOL_CHARSET;
    }
    if (entries_.size() >= capacity_) entries_.erase(entries_.begin());
    entries_.push_back(Entry{face, height, std::move(font), symbol});
    return {entries_.back().font.Get(), symbol};
}

}  // namespace fonts
