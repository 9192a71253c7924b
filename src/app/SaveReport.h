// What a failed save tells its user, in the window and on the command line
// alike.
#pragma once

#include <string>
#include <vector>

#include "app/SaveTransaction.h"
#include "i18n/TextTable.h"

namespace safesave {

// Who kept the folder busy, a file outside the data folder, or the files
// saved and not saved after a commit that failed part way; otherwise the
// lines given.
std::vector<std::wstring> FailureLines(const text::StoredTexts& texts, const SaveFailure& failure,
                                       const std::wstring& dataFolder, std::vector<std::wstring> otherwise);

}  // namespace safesave
