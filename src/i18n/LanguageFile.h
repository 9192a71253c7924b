// One language file's section "General", read in one call and looked up in
// memory: applying a language reads some fifty texts from the same file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "i18n/TextTable.h"

namespace text {

class LanguageFile {
public:
    explicit LanguageFile(std::wstring path);
    // The entries are views into the text read: a copy would point into the original.
    LanguageFile(const LanguageFile&) = delete;
    LanguageFile& operator=(const LanguageFile&) = delete;

    const std::wstring& Path() const { return path_; }

    // Exactly what text::Get gives for the same file, key and capacity.
    std::wstring Get(const Key& key, DWORD capacity = kMainCapacity) const;
    std::wstring Get(const wchar_t* key, const wchar_t* englishDefault, DWORD capacity) const;

private:
    struct Entry {
        std::wstring_view name;
        std::wstring_view value;
        bool hasValue;
    };

    const Entry* Find(std::wstring_view key) const;

    std::wstring path_;
    std::wstring lines_;
    std::vector<Entry> entries_;  // views into lines_, in file order
    bool whole_ = false;
};

}  // namespace text
