// The page-font section on real files, the face choice over plain lists, the
// size-field reading and the collapse of repeated family names.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "TestSupport.h"
#include "fonts/InstalledFaces.h"
#include "fonts/PageFontSettings.h"
#include "win/Handles.h"

using namespace velltune::test;

namespace {

// Files start in the form the profile service writes (CRLF, key=value, no
// blank lines), so any other byte difference is the program's doing.
const char kNoFontSection[] =
    "; engine settings\r\n"
    "[General]\r\n"
    "CacheModel=1\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelStep=140\r\n";

const char kFontSectionInReadOrder[] =
    "[ScrollPage]\r\n"
    "WheelStep=140\r\n"
    "[Font]\r\n"
    "SerifFontFamily=Georgia\r\n"
    "SansSerifFontFamily=Verdana\r\n"
    "StandardFontFamily=Georgia\r\n"
    "FixedFontFamily=Consolas\r\n"
    "CursiveFontFamily=Comic Sans MS\r\n"
    "FantasyFontFamily=Impact\r\n"
    "DefaultFontSize=16\r\n"
    "DefaultFixedFontSize=13\r\n"
    "MinimumFontSize=1\r\n"
    "MinimumLogicalFontSize=9\r\n"
    "; keep\r\n"
    "[Cache]\r\n"
    "Size=200\r\n";

const std::wstring kDefaultFaces[6] = {L"Times New Roman", L"Arial", L"Times New Roman",
                                       L"Courier", L"Comic Sans MS", L"Impact"};

// A face list as the dialog's drop-down lists behave: entries in a fixed
// order, a case-blind search for the first equal entry, one selection.
class FakeFaceList : public fonts::FaceList {
public:
    explicit FakeFaceList(std::vector<std::wstring> entries = {}) : entries_(std::move(entries)) {}
    std::optional<int> FindNoCase(const std::wstring& face) const override
    {
        for (size_t i = 0; i < entries_.size(); ++i)
            if (::CompareStringOrdinal(entries_[i].c_str(), -1, face.c_str(), -1, TRUE) == CSTR_EQUAL)
                return static_cast<int>(i);
        return std::nullopt;
    }
    void Select(int index) override { selected_ = index; }
    std::optional<std::wstring> SelectedText() const override
    {
        if (!selected_) return std::nullopt;
        return entries_[static_cast<size_t>(*selected_)];
    }
    int AddNotInstalled(const std::wstring& face) override
    {
        entries_.push_back(face);
        notInstalled_.push_back(face);
        return static_cast<int>(entries_.size() - 1);
    }
    std::optional<int> Selected() const { return selected_; }
    const std::vector<std::wstring>& NotInstalled() const { return notInstalled_; }

private:
    std::vector<std::wstring> entries_;
    std::vector<std::wstring> notInstalled_;
    std::optional<int> selected_;
};

struct Lists {
    explicit Lists(const std::vector<std::wstring>& installed)
        : role{FakeFaceList(installed), FakeFaceList(installed), FakeFaceList(installed),
               FakeFaceList(installed), FakeFaceList(installed), FakeFaceList(installed)},
          setAll(installed)
    {
    }
    FakeFaceList role[6];
    FakeFaceList setAll;
    fonts::FaceList* const pointers[6] = {&role[0], &role[1], &role[2], &role[3], &role[4], &role[5]};
};

std::optional<std::wstring> NoOtherNames(const std::wstring&)
{
    return std::nullopt;
}

// Load, show, build and save, as the dialog does around its controls.
bool RoundTrip(const std::wstring& file, Lists& lists, const fonts::OtherNameLookup& lookup = NoOtherNames)
{
    const fonts::PageFontSettings loaded = fonts::PageFontSettings::Load(file);
    const fonts::KeptFaces kept = fonts::ShowStoredFaces(loaded, lists.pointers, lookup);
    const auto record = fonts::RecordFromControls(false, lists.setAll, lists.pointers, loaded.sizes, kept);
    return record && record->Save(file);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(PageFontFile, MissingSectionOrFileGivesTheDefaults)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kNoFontSection);
    for (const std::wstring& path : {file, dir / L"missing.ini"}) {
        const fonts::PageFontSettings s = fonts::PageFontSettings::Load(path);
        for (int role = 0; role < 6; ++role) EXPECT_EQ(s.faces[role], kDefaultFaces[role]) << role;
        EXPECT_EQ(s.sizes[0], 16);
        EXPECT_EQ(s.sizes[1], 13);
        EXPECT_EQ(s.sizes[2], 1);
        EXPECT_EQ(s.sizes[3], 9);
    }
    EXPECT_EQ(ReadFileBytes(file), kNoFontSection);
}

TEST(PageFontFile, StoredValuesPassUncheckedAndFacesAreCutAt49)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, "[Font]\r\nSerifFontFamily=" + std::string(60, 'x') +
                             "\r\nSansSerifFontFamily=\r\nFixedFontFamily=dejavu sans mono\r\n"
                             "DefaultFontSize=150\r\nDefaultFixedFontSize=0\r\nMinimumFontSize=-4\r\n");
    const fonts::PageFontSettings s = fonts::PageFontSettings::Load(file);
    EXPECT_EQ(s.faces[fonts::kSerif], std::wstring(49, L'x'));
    EXPECT_EQ(s.faces[fonts::kSansSerif], L"");  // present but empty: not the default
    EXPECT_EQ(s.faces[fonts::kStandard], L"Times New Roman");
    EXPECT_EQ(s.faces[fonts::kFixed], L"dejavu sans mono");
    EXPECT_EQ(s.sizes[0], 150);
    EXPECT_EQ(s.sizes[1], 0);
    EXPECT_EQ(s.sizes[2], -4);
    EXPECT_EQ(s.sizes[3], 9);
}

TEST(PageFontFile, SaveIntoFileWithoutSectionAddsTheTenKeysInWriteOrder)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kNoFontSection);
    fonts::PageFontSettings s;
    s.faces[fonts::kSerif] = L"A";
    s.faces[fonts::kSansSerif] = L"B";
    s.faces[fonts::kStandard] = L"C";
    s.faces[fonts::kFixed] = L"D";
    s.faces[fonts::kCursive] = L"E";
    s.faces[fonts::kFantasy] = L"F";
    s.sizes[0] = 16;
    s.sizes[1] = 7;
    s.sizes[2] = 150;
    s.sizes[3] = -3;
    ASSERT_TRUE(s.Save(file));
    EXPECT_EQ(ReadFileBytes(file), std::string(kNoFontSection) +
                                       "[Font]\r\n"
                                       "SerifFontFamily=A\r\n"
                                       "CursiveFontFamily=E\r\n"
                                       "FantasyFontFamily=F\r\n"
                                       "StandardFontFamily=C\r\n"
                                       "SansSerifFontFamily=B\r\n"
                                       "FixedFontFamily=D\r\n"
                                       "DefaultFontSize=16\r\n"
                                       "DefaultFixedFontSize=7\r\n"
                                       "MinimumFontSize=150\r\n"
                                       "MinimumLogicalFontSize=-3\r\n");
}

TEST(PageFontFile, SaveChangesValuesWhereTheyStandAndNothingElse)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kFontSectionInReadOrder);
    fonts::PageFontSettings s = fonts::PageFontSettings::Load(file);
    s.faces[fonts::kFixed] = L"DejaVu Sans Mono";
    s.sizes[1] = 20;
    ASSERT_TRUE(s.Save(file));
    std::string expected = Replace(kFontSectionInReadOrder, "FixedFontFamily=Consolas", "FixedFontFamily=DejaVu Sans Mono");
    expected = Replace(expected, "DefaultFixedFontSize=13", "DefaultFixedFontSize=20");
    EXPECT_EQ(ReadFileBytes(file), expected);
}

TEST(PageFontFile, SaveReportsAFailedWriteAndLeavesTheFileAlone)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kNoFontSection);
    {
        win::KernelHandle lock(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_FALSE(fonts::PageFontSettings{}.Save(file));
    }
    EXPECT_EQ(ReadFileBytes(file), kNoFontSection);
}

// Every face of kFontSectionInReadOrder but "Consolas", plus two DejaVu families.
const std::vector<std::wstring> kInstalled = {L"Comic Sans MS", L"DejaVu Sans", L"DejaVu Sans Mono",
                                              L"Georgia",       L"Impact",      L"Verdana"};

TEST(FaceChoice, FaceInOtherCaseSelectsTheEntryAndIsSavedAsTheListSpellsIt)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, Replace(kFontSectionInReadOrder, "FixedFontFamily=Consolas", "FixedFontFamily=dejavu SANS mono"));
    Lists lists(kInstalled);
    ASSERT_TRUE(RoundTrip(file, lists));
    EXPECT_EQ(lists.role[fonts::kFixed].Selected(), 2);
    EXPECT_EQ(lists.role[fonts::kSerif].Selected(), 3);
    EXPECT_EQ(ReadFileBytes(file), Replace(kFontSectionInReadOrder, "FixedFontFamily=Consolas",
                                           "FixedFontFamily=DejaVu Sans Mono"));
}

// Whatever the lists hold, a save writes back the stored face of every role
// the user left alone; only an empty face becomes the default.
TEST(FaceChoice, StoredFacesAreShownAndSavedBackUnchanged)
{
    struct Case {
        fonts::FaceRole role;
        const char* stored;
        std::optional<std::wstring> shown;  // the selected entry
        bool ownEntry;                      // added to the list, marked not installed
        const char* saved;
    };
    const Case cases[] = {
        {fonts::kSerif, "No Such Face", L"No Such Face", true, "No Such Face"},
        {fonts::kSansSerif, "dejavu sans", L"DejaVu Sans", false, "DejaVu Sans"},
        {fonts::kStandard, "Georgia Antigua", L"Georgia", false, "Georgia Antigua"},  // another name of Georgia
        {fonts::kFixed, "", std::nullopt, false, "Courier"},
        {fonts::kCursive, "@IPAMincho", L"@IPAMincho", true, "@IPAMincho"},
        {fonts::kFantasy, "Impact", L"Impact", false, "Impact"},
    };
    std::string bytes = "[Font]\r\n";
    std::string expected = "[Font]\r\n";
    for (const Case& c : cases) {
        const std::string key = Utf8(fonts::kFaceKeys[c.role].key);
        bytes += key + "=" + c.stored + "\r\n";
        expected += key + "=" + c.saved + "\r\n";
    }
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, bytes);
    std::vector<std::wstring> asked;
    const auto lookup = [&asked](const std::wstring& name) -> std::optional<std::wstring> {
        asked.push_back(name);
        if (::CompareStringOrdinal(name.c_str(), -1, L"georgia antigua", -1, TRUE) == CSTR_EQUAL) return L"Georgia";
        return std::nullopt;
    };
    Lists lists(kInstalled);
    ASSERT_TRUE(RoundTrip(file, lists, lookup));
    for (const Case& c : cases) {
        const FakeFaceList& list = lists.role[c.role];
        EXPECT_EQ(list.SelectedText(), c.shown) << c.stored;
        EXPECT_EQ(list.NotInstalled(), c.ownEntry ? std::vector<std::wstring>{list.SelectedText().value_or(L"")}
                                                  : std::vector<std::wstring>{})
            << c.stored;
    }
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"No Such Face", L"Georgia Antigua", L"@IPAMincho"}))
        << "only faces that no entry matched are looked up";
    std::string written = ReadFileBytes(file);
    written = written.substr(0, written.find("DefaultFontSize"));
    EXPECT_EQ(written, expected);

    // Picking another entry writes it; picking the family's entry again writes
    // the stored name once more.
    const int sizes[4] = {16, 13, 1, 9};
    fonts::PageFontSettings loaded = fonts::PageFontSettings::Load(file);
    Lists again(kInstalled);
    const fonts::KeptFaces kept = fonts::ShowStoredFaces(loaded, again.pointers, lookup);
    again.role[fonts::kStandard].Select(1);
    EXPECT_EQ(fonts::RecordFromControls(false, again.setAll, again.pointers, sizes, kept)->faces[fonts::kStandard],
              L"DejaVu Sans");
    again.role[fonts::kStandard].Select(3);
    EXPECT_EQ(fonts::RecordFromControls(false, again.setAll, again.pointers, sizes, kept)->faces[fonts::kStandard],
              L"Georgia Antigua");
}

TEST(FaceChoice, SetAllWritesItsFaceToAllSixKeysWhateverTheRoleListsShow)
{
    TempDir dir;
    const std::wstring file = dir / L"WKSetting.ini";
    WriteFileBytes(file, kNoFontSection);
    Lists lists(kInstalled);
    lists.role[fonts::kSerif].Select(0);
    lists.setAll.Select(1);  // DejaVu Sans
    const int sizes[4] = {20, 14, 2, 10};
    const auto record = fonts::RecordFromControls(true, lists.setAll, lists.pointers, sizes);
    ASSERT_TRUE(record);
    ASSERT_TRUE(record->Save(file));
    const fonts::PageFontSettings back = fonts::PageFontSettings::Load(file);
    for (int role = 0; role < 6; ++role) EXPECT_EQ(back.faces[role], L"DejaVu Sans") << role;
    EXPECT_EQ(back.sizes[0], 20);
    EXPECT_EQ(back.sizes[3], 10);
}

TEST(FaceChoice, SetAllWithoutAFaceGivesNoRecordAndTheRoleListsDoNotStandIn)
{
    Lists lists(kInstalled);
    for (auto& list : lists.role) list.Select(3);  // Georgia
    const int sizes[4] = {16, 13, 1, 9};
    EXPECT_FALSE(fonts::RecordFromControls(true, lists.setAll, lists.pointers, sizes));
    // Unchecked, the same controls do give a record: the refusal is set-all's.
    const auto record = fonts::RecordFromControls(false, lists.setAll, lists.pointers, sizes);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->faces[fonts::kFantasy], L"Georgia");
}

TEST(SizeField, EmptySignedOrMixedTextIsNotANumberAndZeroBecomesOne)
{
    struct Case {
        const wchar_t* text;
        bool replace;
        unsigned value;
    };
    const Case cases[] = {
        {L"", true, 13},     {L"-5", true, 13},        {L"+5", true, 13},       {L"12abc", true, 13},
        {L"1 2", true, 13},  {L"4294967296", true, 13}, {L"0", true, 1},         {L"00", true, 1},
        {L"7", false, 7},    {L"07", false, 7},        {L"150", false, 150},    {L" 42 ", false, 42},
        {L"4294967295", false, 4294967295u},
    };
    for (const Case& c : cases) {
        const fonts::SizeFieldDecision d = fonts::CheckSizeField(c.text, 13);
        EXPECT_EQ(d.replace, c.replace) << Utf8(c.text);
        EXPECT_EQ(d.value, c.value) << Utf8(c.text);
    }
}

TEST(InstalledFaces, OnlyRepeatsInARowCollapseAndCaseCounts)
{
    std::vector<std::wstring> faces;
    for (const wchar_t* name : {L"Arial", L"Arial", L"Arial", L"Impact", L"Arial", L"arial", L"arial", L"Arial"})
        fonts::AppendCollapsingRepeats(faces, name);
    EXPECT_EQ(faces, (std::vector<std::wstring>{L"Arial", L"Impact", L"Arial", L"arial", L"Arial"}));
}

TEST(InstalledFaces, EnumerationListsEachDejaVuFamilyOnceWithoutRepeatsInARow)
{
    // Wine reports DejaVu Sans once for each of its character sets, in a row.
    const std::vector<std::wstring> faces = fonts::EnumerateInstalledFaces();
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(std::adjacent_find(faces.begin(), faces.end()), faces.end());
    EXPECT_EQ(std::count(faces.begin(), faces.end(), L"DejaVu Sans"), 1);
    EXPECT_EQ(std::count(faces.begin(), faces.end(), L"DejaVu Serif"), 1);
}

}  // namespace
