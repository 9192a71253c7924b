#include "fonts/PageFontSettings.h"

#include "ini/Ini.h"

namespace fonts {

PageFontSettings PageFontSettings::Load(const std::wstring& engineFile)
{
    PageFontSettings s;
    for (int role = 0; role < kFaceRoleCount; ++role)
        s.faces[role] = ini::ReadText(engineFile, kFontSection, kFaceKeys[role].key, kFaceKeys[role].defaultFace,
                                      kFaceCapacity);
    for (int i = 0; i < 4; ++i) s.sizes[i] = ini::ReadInt(engineFile, kFontSection, kSizeKeys[i].key, kSizeKeys[i].defaultValue);
    return s;
}

bool PageFontSettings::Save(const std::wstring& engineFile) const
{
    ini::Writer file(engineFile);
    for (FaceRole role : kFaceWriteOrder)
        if (!file.Text(kFontSection, kFaceKeys[role].key, faces[role])) return false;
    for (int i = 0; i < 4; ++i)
        if (!file.Int(kFontSection, kSizeKeys[i].key, sizes[i])) return false;
    return true;
}

void ChooseFaces(const PageFontSettings& settings, RoleLists roleLists)
{
    for (int role = 0; role < kFaceRoleCount; ++role) {
        if (const std::optional<int> index = roleLists[role]->FindNoCase(settings.faces[role]))
            roleLists[role]->Select(*index);
    }
}

KeptFaces ShowStoredFaces(const PageFontSettings& settings, RoleLists roleLists, const OtherNameLookup& lookup)
{
    KeptFaces kept;
    for (int role = 0; role < kFaceRoleCount; ++role) {
        const std::wstring& face = settings.faces[role];
        FaceList& list = *roleLists[role];
        if (face.empty()) continue;
        if (const std::optional<int> index = list.FindNoCase(face)) {
            list.Select(*index);
            continue;
        }
        if (const std::optional<std::wstring> family = lookup(face)) {
            if (const std::optional<int> index = list.FindNoCase(*family)) {
                list.Select(*index);
                kept[role] = KeptFace{*family, face};
                continue;
            }
        }
        list.Select(list.AddNotInstalled(face));
    }
    return kept;
}

std::optional<PageFontSettings> RecordFromControls(bool setAll, const FaceList& setAllList, RoleLists roleLists,
                                                   const int (&sizes)[4], const KeptFaces& kept)
{
    PageFontSettings record;
    if (setAll) {
        const std::optional<std::wstring> face = setAllList.SelectedText();
        if (!face) return std::nullopt;
        for (std::wstring& f : record.faces) f = *face;
    } else {
        // A list without a selection keeps the default the record starts with.
        for (int role = 0; role < kFaceRoleCount; ++role) {
            const std::optional<std::wstring> face = roleLists[role]->SelectedText();
            if (!face) continue;
            const bool keep = kept[role] && kept[role]->entry == *face;
            record.faces[role] = keep ? kept[role]->stored : *face;
        }
    }
    for (int i = 0; i < 4; ++i) record.sizes[i] = sizes[i];
    return record;
}

std::optional<unsigned> ReadSizeText(const std::wstring& text)
{
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    const size_t firstDigit = i;
    unsigned long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (i == firstDigit) return std::nullopt;
    while (i < text.size() && blank(text[i])) ++i;
    if (i != text.size()) return std::nullopt;
    return static_cast<unsigned>(value);
}

SizeFieldDecision CheckSizeField(const std::wstring& text, int fallback)
{
    const std::optional<unsigned> value = ReadSizeText(text);
    if (!value) return {true, static_cast<unsigned>(fallback)};
    if (*value == 0) return {true, 1};
    return {false, *value};
}

}  // namespace fonts
