// Reading family names out of a font's name table, whole or broken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonts/FamilyNames.h"

namespace {

struct Record {
    unsigned platform, nameId;
    std::u16string text;
};

void PutU16(std::vector<unsigned char>& bytes, unsigned value)
{
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
}

// A name table (format 0) whose strings follow the records in order.
std::vector<unsigned char> NameTable(const std::vector<Record>& records)
{
    std::vector<unsigned char> table, strings;
    PutU16(table, 0);
    PutU16(table, static_cast<unsigned>(records.size()));
    PutU16(table, static_cast<unsigned>(6 + 12 * records.size()));
    for (const Record& r : records) {
        PutU16(table, r.platform);
        PutU16(table, 1);       // encoding
        PutU16(table, 0x804);   // language
        PutU16(table, r.nameId);
        PutU16(table, static_cast<unsigned>(2 * r.text.size()));
        PutU16(table, static_cast<unsigned>(strings.size()));
        for (char16_t c : r.text) PutU16(strings, c);
    }
    table.insert(table.end(), strings.begin(), strings.end());
    return table;
}

TEST(FamilyNames, UnicodeFamilyNamesAreReadAndABrokenTableGivesOnlyWholeNames)
{
    const std::vector<Record> records = {
        {3, 1, u"WenQuanYi Zen Hei"}, {1, 1, u"Mac Roman"}, {3, 4, u"Full Name"},
        {3, 1, u"\u6587\u6cc9\u9a7f\u6b63\u9ed1"}, {0, 16, u"Typographic"}, {3, 2, u"Regular"},
    };
    const std::vector<unsigned char> whole = NameTable(records);
    const std::vector<std::wstring> all = {L"WenQuanYi Zen Hei", L"\u6587\u6cc9\u9a7f\u6b63\u9ed1", L"Typographic"};

    std::vector<unsigned char> countTooLarge = whole;
    countTooLarge[3] = 200;  // records would run past the end
    std::vector<unsigned char> stringsOutside = whole;
    stringsOutside[4] = 0xFF;  // every string starts past the end
    // Past the end of "Typographic" by one byte: only "Regular" follows it.
    std::vector<unsigned char> lastStringCut(whole.begin(), whole.end() - 2 * 7 - 1);

    struct Case {
        const char* what;
        std::vector<unsigned char> table;
        std::vector<std::wstring> names;
    };
    const Case cases[] = {
        {"whole", whole, all},
        {"count past the end", countTooLarge, all},
        {"strings outside", stringsOutside, {}},
        {"last string cut", lastStringCut, {L"WenQuanYi Zen Hei", L"\u6587\u6cc9\u9a7f\u6b63\u9ed1"}},
        {"records cut", std::vector<unsigned char>(whole.begin(), whole.begin() + 6 + 12 * 2), {}},
        {"header only", std::vector<unsigned char>(whole.begin(), whole.begin() + 6), {}},
        {"shorter than a header", std::vector<unsigned char>(whole.begin(), whole.begin() + 5), {}},
        {"empty", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(fonts::FamilyNamesInTable(c.table), c.names) << c.what;
}

}  // namespace
