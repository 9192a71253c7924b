// The main dialog's controls in the order of the records they show: the
// eight number fields, each with its spin and range, the face lists and the
// new-tab boxes.
#pragma once

#include "browser/SmoothScrollSettings.h"
#include "fonts/PageFontSettings.h"
#include "resource.h"

namespace ui {

struct NumberField {
    int editId;
    int spinId;
    int minValue;
    int maxValue;
    int fallback;  // shown when the text does not read as a number
};

inline constexpr NumberField kScrollFieldControls[4] = {
    {IDC_EDIT_FOREPART, IDC_SPIN_FOREPART, 0, browser::kScrollFields[0].maxValue, browser::kScrollFields[0].defaultValue},
    {IDC_EDIT_END, IDC_SPIN_END, 0, browser::kScrollFields[1].maxValue, browser::kScrollFields[1].defaultValue},
    {IDC_EDIT_ACCEL, IDC_SPIN_ACCEL, 0, browser::kScrollFields[2].maxValue, browser::kScrollFields[2].defaultValue},
    {IDC_EDIT_STEP, IDC_SPIN_STEP, 0, browser::kScrollFields[3].maxValue, browser::kScrollFields[3].defaultValue},
};

inline constexpr int kMinFontSize = fonts::kMinFontSize;
inline constexpr int kMaxFontSize = fonts::kMaxFontSize;

inline constexpr NumberField kSizeFieldControls[4] = {
    {IDC_EDIT_DEFAULTSIZE, IDC_SPIN_DEFAULTSIZE, kMinFontSize, kMaxFontSize, fonts::kSizeKeys[0].defaultValue},
    {IDC_EDIT_FIXEDSIZE, IDC_SPIN_FIXEDSIZE, kMinFontSize, kMaxFontSize, fonts::kSizeKeys[1].defaultValue},
    {IDC_EDIT_MINSIZE, IDC_SPIN_MINSIZE, kMinFontSize, kMaxFontSize, fonts::kSizeKeys[2].defaultValue},
    {IDC_EDIT_MINLOGICALSIZE, IDC_SPIN_MINLOGICALSIZE, kMinFontSize, kMaxFontSize, fonts::kSizeKeys[3].defaultValue},
};

// Index of an edit in one of the tables above, or -1.
template <size_t N>
constexpr int FieldIndex(const NumberField (&table)[N], int editId)
{
    for (size_t i = 0; i < N; ++i)
        if (table[i].editId == editId) return static_cast<int>(i);
    return -1;
}

inline constexpr int kFaceLists[7] = {IDC_FACE_SERIF,   IDC_FACE_SANSSERIF, IDC_FACE_STANDARD, IDC_FACE_FIXED,
                                      IDC_FACE_CURSIVE, IDC_FACE_FANTASY,   IDC_FACE_SETALL};

// In the order of browser::kNewTabKeys.
inline constexpr int kNewTabBoxes[3] = {IDC_CHECK_ADDRESSBAR, IDC_CHECK_SEARCHBAR, IDC_CHECK_FAVORITES};

}  // namespace ui
