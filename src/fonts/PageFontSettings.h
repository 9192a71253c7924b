// The page-font section of the engine settings file: six faces and four sizes.
#pragma once

#include <optional>
#include <string>

namespace fonts {

enum FaceRole { kSerif, kSansSerif, kStandard, kFixed, kCursive, kFantasy, kFaceRoleCount };

struct FaceKey {
    const wchar_t* key;
    const wchar_t* defaultFace;
};
// In read order (serif, sans-serif, standard, fixed, cursive, fantasy).
inline constexpr FaceKey kFaceKeys[kFaceRoleCount] = {
    {L"SerifFontFamily", L"Times New Roman"}, {L"SansSerifFontFamily", L"Arial"},
    {L"StandardFontFamily", L"Times New Roman"}, {L"FixedFontFamily", L"Courier"},
    {L"CursiveFontFamily", L"Comic Sans MS"}, {L"FantasyFontFamily", L"Impact"},
};

struct SizeKey {
    const wchar_t* key;
    int defaultValue;
};
// In read and write order: edits 1013, 1031, 1011, 1029.
inline constexpr SizeKey kSizeKeys[4] = {
    {L"DefaultFontSize", 16},
    {L"DefaultFixedFontSize", 13},
    {L"MinimumFontSize", 1},
    {L"MinimumLogicalFontSize", 9},
};

}  // namespace fonts
