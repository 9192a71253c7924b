// The smooth-scroll section of the engine settings file and the open-in-new-tab
// section of an account's config.ini, as records that load and save without
// any window, and the check that a number field runs on every change.
#pragma once

#include <string>

namespace browser {

inline constexpr wchar_t kScrollSection[] = L"ScrollPage";
inline constexpr wchar_t kSmoothlyKey[] = L"ScrollPageSmoothly";

struct ScrollField {
    const wchar_t* key;
    int defaultValue;
    int maxValue;
};

// In file order, which is also the order of the dialog's fields.
inline constexpr ScrollField kScrollFields[4] = {
    {L"WheelBeginDumping", 20, 100},
    {L"WheelEndDumping", 50, 100},
    {L"WheelAccel", 4, 450},
    {L"WheelStep", 140, 300},
};

struct SmoothScrollSettings {
    bool enabled = true;
    int values[4] = {20, 50, 4, 140};

    // Missing keys give the defaults; values are taken unchecked.
    static SmoothScrollSettings Load(const std::wstring& engineFile);
    // Writes the switch, and the four numbers only when it is on. False at the
    // first write that fails; nothing after it is written.
    bool Save(const std::wstring& engineFile) const;
};

inline constexpr wchar_t kNewTabSection[] = L"CreateNewTab";
// In the order of the record's fields and of the dialog's boxes.
inline constexpr const wchar_t* kNewTabKeys[3] = {L"AddressBarInput", L"SearchBarInput", L"ClickOnFavorite"};

struct NewTabSettings {
    bool addressBar = false;
    bool searchBar = true;
    bool favorite = true;

    static NewTabSettings Load(const std::wstring& configFile);
    bool Save(const std::wstring& configFile) const;
};

enum class FieldAction {
    Accept,            // value becomes the accepted value
    OutOfRange,        // message, then the last accepted value comes back
    ReplaceByDefault,  // not a number: the field shows its default, selected
};

struct FieldDecision {
    FieldAction action;
    unsigned long long value;  // the number read, for Accept
};

// Reads the text as an unsigned decimal number (leading blanks skipped, digits
// up to the first non-digit; no digit, or more than 4294967295, is not a
// number) and decides against the field's maximum.
FieldDecision CheckScrollField(const std::wstring& text, int maxValue);

}  // namespace browser
