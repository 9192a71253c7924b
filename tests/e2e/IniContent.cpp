#include "IniContent.h"

#include <windows.h>

#include <algorithm>

#include "TestSupport.h"

namespace velltune::test {
namespace {

enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct Decoded {
    Encoding encoding;
    std::wstring text;
};

// By byte-order mark, as the profile service decides. Bytes without one are
// taken one character each, so that no byte can hide behind a code page.
Decoded Decode(const std::string& bytes)
{
    const auto starts = [&bytes](const char* mark) { return bytes.rfind(mark, 0) == 0; };
    if (starts("\xEF\xBB\xBF")) return {Encoding::Utf8, Utf16(std::string_view(bytes).substr(3))};
    const bool little = starts("\xFF\xFE"), big = starts("\xFE\xFF");
    if (little || big) {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
            const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
            text += static_cast<wchar_t>(lo | hi << 8);
        }
        if (bytes.size() % 2) text += L'\xFFFF';  // an odd byte must not vanish unseen
        return {little ? Encoding::Utf16Le : Encoding::Utf16Be, text};
    }
    std::wstring text;
    text.reserve(bytes.size());
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return {Encoding::Ansi, text};
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

std::wstring Trim(std::wstring_view s)
{
    size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return std::wstring(s.substr(begin, end - begin));
}

bool SameNoCase(const std::wstring& a, const wchar_t* b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

// One line: a section header, a key line (key and value) or any other text.
struct Item {
    enum Kind { Section, Entry, Other } kind;
    std::wstring name;   // section name or key
    std::wstring value;  // value, or the whole line for Other
    std::wstring raw;    // the line as it stands
};

Item ParseLine(const std::wstring& line, bool normalise)
{
    const std::wstring text = normalise ? Trim(line) : line;
    if (!text.empty() && text[0] == L'[') {
        const size_t close = text.rfind(L']');
        if (close != std::wstring::npos) return {Item::Section, text.substr(1, close - 1), {}, line};
    }
    const size_t equals = text.find(L'=');
    if (equals == std::wstring::npos) return {Item::Other, {}, text, line};
    std::wstring key = text.substr(0, equals), value = text.substr(equals + 1);
    if (normalise) {
        key = Trim(key);
        value = Trim(value);
    }
    return {Item::Entry, key, value, line};
}

// Exact CRLF lines, or lines split at any CR or LF with blank ones left out.
std::vector<Item> Parse(const std::wstring& text, bool normalise)
{
    std::vector<Item> items;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = normalise ? text.find_first_of(L"\r\n", start) : text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = normalise ? end + 1 : end + 2;
        if (normalise && Trim(line).empty()) continue;
        items.push_back(ParseLine(line, normalise));
    }
    return items;
}

// Index of the first section item of that name, or items.size().
size_t FirstSection(const std::vector<Item>& items, const wchar_t* section)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].kind == Item::Section && SameNoCase(items[i].name, section)) return i;
    return items.size();
}

void RemoveWritten(std::vector<Item>& items, const std::vector<WrittenKey>& written)
{
    for (const WrittenKey& w : written) {
        const size_t header = FirstSection(items, w.section);
        for (size_t i = header + 1; i < items.size() && items[i].kind != Item::Section; ++i) {
            if (items[i].kind == Item::Entry && SameNoCase(items[i].name, w.key)) {
                items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
    }
    for (size_t k = 0; k < written.size(); ++k) {
        const auto earlier = written.begin() + static_cast<std::ptrdiff_t>(k);
        if (std::any_of(written.begin(), earlier, [&](const WrittenKey& w) { return SameNoCase(w.section, earlier->section); }))
            continue;  // each section once
        const size_t header = FirstSection(items, earlier->section);
        if (header < items.size() && (header + 1 == items.size() || items[header + 1].kind == Item::Section))
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(header));
    }
}

std::string Show(const Item& item)
{
    std::string shown = Utf8(item.raw.substr(0, 80));
    for (char& c : shown)
        if (c == '\0') c = '?';
    return "\"" + shown + (item.raw.size() > 80 ? "...\"" : "\"");
}

}  // namespace

bool InProfileForm(const std::string& bytes)
{
    const Decoded decoded = Decode(bytes);
    const std::wstring& text = decoded.text;
    if (text.empty()) return true;
    if (text.size() < 2 || text.compare(text.size() - 2, 2, L"\r\n") != 0) return false;
    for (const Item& item : Parse(text, false)) {
        const std::wstring& line = item.raw;
        if (line.empty() || line.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) return false;
        if (IsBlank(line.front()) || IsBlank(line.back())) return false;
        const size_t equals = line.find(L'=');
        if (item.kind == Item::Entry &&
            ((equals > 0 && IsBlank(line[equals - 1])) || (equals + 1 < line.size() && IsBlank(line[equals + 1]))))
            return false;
    }
    return true;
}

std::string DifferenceOutside(const std::string& before, const std::string& after,
                              const std::vector<WrittenKey>& written)
{
    const bool bytes = InProfileForm(before);
    const Decoded old = Decode(before), now = Decode(after);
    if (bytes && !before.empty() && old.encoding != now.encoding) return "the encoding changed";
    if (bytes && !now.text.empty() && !now.text.ends_with(L"\r\n")) return "the last line break is gone";
    std::vector<Item> was = Parse(old.text, !bytes), is = Parse(now.text, !bytes);
    RemoveWritten(was, written);
    RemoveWritten(is, written);
    const auto same = [bytes](const Item& a, const Item& b) {
        return bytes ? a.raw == b.raw : a.kind == b.kind && a.name == b.name && a.value == b.value;
    };
    const size_t common = std::min(was.size(), is.size());
    for (size_t i = 0; i < common; ++i)
        if (!same(was[i], is[i])) return "line " + Show(was[i]) + " became " + Show(is[i]);
    if (was.size() > common) return "line " + Show(was[common]) + " is gone";
    if (is.size() > common) return "line " + Show(is[common]) + " appeared";
    return {};
}

std::optional<std::wstring> IniValue(const std::string& bytes, const wchar_t* section, const wchar_t* key)
{
    const std::vector<Item> items = Parse(Decode(bytes).text, true);
    for (size_t i = FirstSection(items, section) + 1; i < items.size() && items[i].kind != Item::Section; ++i)
        if (items[i].kind == Item::Entry && SameNoCase(items[i].name, key)) return items[i].value;
    return std::nullopt;
}

}  // namespace velltune::test
