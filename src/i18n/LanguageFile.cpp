#include "i18n/LanguageFile.h"

#include <cwchar>

#include "ini/Ini.h"

namespace text {
namespace {

std::wstring_view Trim(std::wstring_view s)
{
    constexpr wchar_t kBlanks[] = L" \t\r\n";
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

bool IsQuote(wchar_t c)
{
    return c == L'"' || c == L'\'';
}

bool SameName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
               CSTR_EQUAL;
}

}  // namespace

LanguageFile::LanguageFile(std::wstring path) : path_(std::move(path))
{
    whole_ = ini::ReadSection(path_, kSection, lines_);
    if (!whole_) return;
    for (size_t start = 0; start < lines_.size();) {
        size_t end = lines_.find(L'\0', start);
        if (end == std::wstring::npos) end = lines_.size();
        const std::wstring_view line(lines_.data() + start, end - start);
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            entries_.push_back({Trim(line), {}, false});
        else
            entries_.push_back({Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), true});
        start = end + 1;
    }
}

const LanguageFile::Entry* LanguageFile::Find(std::wstring_view key) const
{
    // The first of repeated keys counts, as with a single read.
    for (const Entry& entry : entries_)
        if (SameName(entry.name, key)) return &entry;
    return nullptr;
}

std::wstring LanguageFile::Get(const Key& key, DWORD capacity) const
{
    return Get(key.name, key.english, capacity);
}

std::wstring LanguageFile::Get(const wchar_t* key, const wchar_t* englishDefault, DWORD capacity) const
{
    // Only what fits whole is answered here. A cut quoted value, a default
    // the platform reworks (trailing blanks, quotes, a cut) and a line
    // without "=" are left to the platform's own read, whose handling of
    // them differs between implementations.
    if (whole_ && capacity > 2) {
        const Entry* entry = Find(key);
        if (!entry) {
            const std::wstring_view english = englishDefault ? englishDefault : L"";
            if (english.size() < capacity && Trim(english).size() == english.size() &&
                (english.empty() || !IsQuote(english.front())))
                return std::wstring(english);
        } else if (entry->hasValue) {
            std::wstring_view value = entry->value;
            if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
                if (value.size() < capacity) return std::wstring(value.substr(1, value.size() - 2));
            } else {
                return std::wstring(value.substr(0, capacity - 1));
            }
        }
    }
    return GetLanguageText(path_, key, englishDefault, capacity);
}

}  // namespace text
