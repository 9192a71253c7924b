#include "fonts/InstalledFaces.h"

#include <windows.h>

#include "win/Handles.h"

namespace fonts {

void AppendCollapsingRepeats(std::vector<std::wstring>& faces, const wchar_t* name)
{
    if (!faces.empty() && faces.back() == name) return;
    faces.emplace_back(name);
}

namespace {

int CALLBACK OnFontFamily(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/, DWORD /*type*/, LPARAM context)
{
    if (!context) return 0;
    // "@" names are the vertical-writing forms of East Asian families: no page
    // font, and the system's own font dialog leaves them out too.
    if (font->lfFaceName[0] == L'@') return 1;
    // The family name, not the full name: that is what the browser stores.
    AppendCollapsingRepeats(*reinterpret_cast<std::vector<std::wstring>*>(context), font->lfFaceName);
    return 1;
}

}  // namespace

std::vector<std::wstring> EnumerateInstalledFaces()
{
    win::WindowDC screen(nullptr);
    if (!screen) return {};
    return EnumerateInstalledFaces(screen.Get());
}

std::vector<std::wstring> EnumerateInstalledFaces(HDC dc)
{
    std::vector<std::wstring> faces;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &all, OnFontFamily, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

}  // namespace fonts
