// A settings profile: the browser's own sections and keys in a file of their
// own, carried from one machine to another. Any subset of the keys may be
// present; a missing key leaves that setting as it is. Reading checks every
// value as the window would before anything is applied, so one bad value
// makes the whole file invalid.
#pragma once

#include <optional>
#include <string>

#include "fonts/PageFontSettings.h"

namespace profile {

inline constexpr wchar_t kVersionSection[] = L"Velltune";
inline constexpr wchar_t kVersionKey[] = L"ProfileVersion";
inline constexpr wchar_t kVersion[] = L"1";

// The faces as the window reads them: at most 49 characters.
inline constexpr size_t kMaxFaceLength = fonts::kFaceCapacity - 1;

struct Profile {
    std::optional<bool> smoothScroll;
    std::optional<int> scroll[4];                           // browser::kScrollFields order
    std::optional<std::wstring> faces[fonts::kFaceRoleCount];  // fonts::FaceRole order
    std::optional<int> sizes[4];                            // fonts::kSizeKeys order
    std::optional<bool> newTab[3];                          // browser::kNewTabKeys order

    bool HasNewTab() const;
    bool HasEngineKeys() const;
};

// The profile's engine-file settings alone, and its new-tab switches alone.
Profile EngineKeys(Profile p);
Profile NewTabKeys(Profile p);

// The first value that fails its check, in the order the keys are listed above.
struct BadValue {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

enum class ReadResult {
    Read,        // the profile holds only valid values
    Unreadable,  // missing, a folder, locked, or not text
    Invalid,     // a value failed its check; see BadValue
    NoSettings,  // text, but none of the profile's keys
};

ReadResult Read(const std::wstring& file, Profile& profile, BadValue& bad);

// A key's text as the profile service reads it, or nothing when the file, its
// section or the key is missing.
std::optional<std::wstring> ReadValue(const std::wstring& file, const wchar_t* section, const wchar_t* key);

// Writes every key the profile holds, with the version, as UTF-16LE with a
// byte-order mark. The file is replaced in one step: on failure it is as it
// was and no temporary file is left.
bool Write(const std::wstring& file, const Profile& profile);

// The file's whole text (without the mark), for Write and its checks.
std::wstring Render(const Profile& profile);

// A value cut for a message: a face of a thousand characters should not
// fill the screen.
std::wstring Shortened(const std::wstring& value);

}  // namespace profile
