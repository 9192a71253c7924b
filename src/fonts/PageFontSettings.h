// The page-font section of the engine settings file: six faces and four sizes,
// and the rules that join them to the face lists without knowing any window.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace fonts {

enum FaceRole { kSerif, kSansSerif, kStandard, kFixed, kCursive, kFantasy, kFaceRoleCount };

inline constexpr wchar_t kFontSection[] = L"Font";

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

// The browser's own order of writing; a file without the section receives its
// keys in this order, so it must not be changed.
inline constexpr FaceRole kFaceWriteOrder[kFaceRoleCount] = {kSerif,    kCursive,   kFantasy,
                                                             kStandard, kSansSerif, kFixed};

// Face names are read into 50 characters, terminator included.
inline constexpr DWORD kFaceCapacity = 50;

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

struct PageFontSettings {
    std::wstring faces[kFaceRoleCount] = {kFaceKeys[0].defaultFace, kFaceKeys[1].defaultFace,
                                          kFaceKeys[2].defaultFace, kFaceKeys[3].defaultFace,
                                          kFaceKeys[4].defaultFace, kFaceKeys[5].defaultFace};
    int sizes[4] = {kSizeKeys[0].defaultValue, kSizeKeys[1].defaultValue, kSizeKeys[2].defaultValue,
                    kSizeKeys[3].defaultValue};

    // Missing file, section or key gives the default; values pass unchecked
    // (an empty face stays empty, a size of 0 or 150 stays as it is).
    static PageFontSettings Load(const std::wstring& engineFile);

    // The ten keys in write order. False at the first write that fails;
    // nothing after it is written.
    bool Save(const std::wstring& engineFile) const;
};

// One face list of the dialog, seen through the three things the rules need.
class FaceList {
public:
    virtual ~FaceList() = default;
    // Index of the first entry equal to the face without regard to case.
    virtual std::optional<int> FindNoCase(const std::wstring& face) const = 0;
    // Selects without announcing it: a choice of the program is no user change.
    virtual void Select(int index) = 0;
    virtual std::optional<std::wstring> SelectedText() const = 0;
    // Adds an entry for a face no installed family has, marked as such, and
    // gives its index.
    virtual int AddNotInstalled(const std::wstring& face) = 0;
};

using RoleLists = FaceList* const (&)[kFaceRoleCount];

// Selects each role's face in its list; a face the list does not hold leaves
// that list as it was. Used by reset, with the defaults, and after a set-all
// save, with the face saved.
void ChooseFaces(const PageFontSettings& settings, RoleLists roleLists);

// The installed family that goes by the name in another language, as the
// lists spell it, or none.
using OtherNameLookup = std::function<std::optional<std::wstring>(const std::wstring& name)>;

// A stored face shown as the entry of its family under another name: while
// that entry stays selected, a save writes the stored text back.
struct KeptFace {
    std::wstring entry;
    std::wstring stored;
};
using KeptFaces = std::array<std::optional<KeptFace>, kFaceRoleCount>;

// Shows each role's stored face in its list, so that a save keeps it unless
// the user picks another: an entry equal to it (case aside) is selected;
// otherwise, when the lookup names the family it belongs to, that family's
// entry is selected and the face kept; otherwise the list gets an entry of
// its own for it, marked not installed, selected. An empty face leaves the
// list as it is (a save then writes the default). The lookup is asked only
// for a face no entry matched.
KeptFaces ShowStoredFaces(const PageFontSettings& settings, RoleLists roleLists, const OtherNameLookup& lookup);

// The record the save writes: with set-all on, the set-all list's face for all
// six roles (none when it has no selection: the caller refuses to save);
// otherwise each list's face (the kept text while its entry is selected), or
// the role's default when it has none.
std::optional<PageFontSettings> RecordFromControls(bool setAll, const FaceList& setAllList, RoleLists roleLists,
                                                   const int (&sizes)[4], const KeptFaces& kept = {});

// How a size field reads its text: blanks around digits only, up to
// 4294967295. Empty text, a sign or any other character is not a number.
std::optional<unsigned> ReadSizeText(const std::wstring& text);

// What a size field does with its text: keep the number it reads, or show
// another in its place (the fallback for no number, 1 for a zero).
struct SizeFieldDecision {
    bool replace;
    unsigned value;
};
SizeFieldDecision CheckSizeField(const std::wstring& text, int fallback);

}  // namespace fonts
