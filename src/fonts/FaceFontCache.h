// The fonts the face lists draw their entries in. A font is made only when an
// entry of its face is drawn, and only the most recently used few are kept:
// with a thousand families, a font for each would cost start-up and memory,
// while scrolling a list redraws the same handful of faces again and again.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "win/Handles.h"

namespace fonts {

class FaceFontCache {
public:
    // Enough for a dropped list's visible page and the seven closed lists.
    static constexpr std::size_t kDefaultCapacity = 48;

    explicit FaceFontCache(std::size_t capacity = kDefaultCapacity) : capacity_(capacity ? capacity : 1) {}

    struct Face {
        HFONT font;   // not owned: valid until the cache drops it, at the earliest on a later call
        bool symbol;  // the face has symbols, not letters, in place of the usual characters
    };

    // The face at the given cell height in pixels; dc is used to learn the
    // face's character set. A null font when none can be made.
    Face Get(HDC dc, const std::wstring& face, int height);

    std::size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        std::wstring face;
        int height;
        win::Font font;
        bool symbol;
    };
    std::vector<Entry> entries_;  // least recently used first
    std::size_t capacity_;
};

}  // namespace fonts
