#include "app/SaveReport.h"

#include "win/Text.h"

namespace safesave {

std::vector<std::wstring> FailureLines(const text::StoredTexts& texts, const SaveFailure& failure,
                                       const std::wstring& dataFolder, std::vector<std::wstring> otherwise)
{
    switch (failure.reason) {
    case PrepareFailure::Busy: {
        const Holder& holder = failure.holder;
        const std::wstring since = holder.Known() ? LocalTimeText(holder.since) : std::wstring();
        if (since.empty()) return {texts.folderBusyUnknown};
        return {win::FormatPlaceholders(texts.folderBusy, {holder.computer, holder.user, since})};
    }
    case PrepareFailure::Outside:
        return {win::FormatPlaceholders(texts.backupOtherFolder, {failure.file, dataFolder})};
    case PrepareFailure::None:
    case PrepareFailure::Other:
        break;
    }
    if (failure.outcome.Partial())
        return text::PartialSaveLines(texts, failure.outcome.saved, failure.outcome.notSaved);
    return otherwise;
}

}  // namespace safesave
