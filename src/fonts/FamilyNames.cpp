#include "fonts/FamilyNames.h"

#include <windows.h>

#include "win/Handles.h"

namespace fonts {

namespace {

// The table tag as GetFontData takes it: the four letters in file order.
constexpr DWORD kNameTableTag = 'n' | ('a' << 8) | ('m' << 16) | ('e' << 24);

unsigned ReadU16(std::span<const unsigned char> bytes, size_t at)
{
    return static_cast<unsigned>(bytes[at] << 8 | bytes[at + 1]);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

// The name table of the font the system realises for the family, or nothing.
std::vector<unsigned char> NameTableOf(HDC dc, const std::wstring& family)
{
    LOGFONTW wanted{};
    if (family.size() >= std::size(wanted.lfFaceName)) return {};
    family.copy(wanted.lfFaceName, family.size());
    wanted.lfCharSet = DEFAULT_CHARSET;
    win::Font font(::CreateFontIndirectW(&wanted));
    if (!font) return {};
    win::SelectedObject selected(dc, font.Get());
    if (!selected) return {};
    const DWORD size = ::GetFontData(dc, kNameTableTag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) return {};
    std::vector<unsigned char> table(size);
    if (::GetFontData(dc, kNameTableTag, 0, table.data(), size) != size) return {};
    return table;
}

}  // namespace

std::vector<std::wstring> FamilyNamesInTable(std::span<const unsigned char> table)
{
    std::vector<std::wstring> names;
    if (table.size() < 6) return names;
    const size_t count = ReadU16(table, 2);
    const size_t strings = ReadU16(table, 4);
    for (size_t i = 0; i < count; ++i) {
        const size_t record = 6 + 12 * i;
        if (record + 12 > table.size()) break;
        const unsigned platform = ReadU16(table, record);
        const unsigned nameId = ReadU16(table, record + 6);
        // Platforms 0 (Unicode) and 3 (Windows) hold UTF-16BE; the Macintosh
        // records use legacy code pages and repeat the English name anyway.
        if (platform != 0 && platform != 3) continue;
        if (nameId != 1 && nameId != 16) continue;
        const size_t length = ReadU16(table, record + 8);
        const size_t start = strings + ReadU16(table, record + 10);
        if (start + length > table.size()) continue;
        std::wstring name;
        for (size_t at = start; at + 1 < start + length; at += 2) name.push_back(static_cast<wchar_t>(ReadU16(table, at)));
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::wstring> OtherFamilyNames::Find(const std::wstring& name)
{
    if (!read_) {
        win::WindowDC screen(nullptr);
        if (screen) Read(screen.Get());
        read_ = true;  // without a device context there are no names to read
    }
    for (const auto& [other, family] : names_)
        if (SameName(other, name)) return installed_[family];
    return std::nullopt;
}

bool OtherFamilyNames::Read(HDC dc, const std::atomic<bool>* stop)
{
    names_.clear();
    for (size_t family = 0; family < installed_.size(); ++family) {
        if (stop && *stop) {
            names_.clear();
            return false;
        }
        const std::vector<unsigned char> table = NameTableOf(dc, installed_[family]);
        const std::vector<std::wstring> names = FamilyNamesInTable(table);
        // A font that does not name the family itself is a stand-in the
        // system chose for a name it could not realise: its names say nothing.
        bool ownName = false;
        for (const std::wstring& n : names) ownName = ownName || SameName(n, installed_[family]);
        if (!ownName) continue;
        for (const std::wstring& n : names)
            if (!SameName(n, installed_[family])) names_.emplace_back(n, family);
    }
    read_ = true;
    return true;
}

}  // namespace fonts
