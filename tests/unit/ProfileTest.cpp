// Profiles on real files: which values a profile may hold, how it is written,
// and what applying it changes in the browser's files.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "ProcessSupport.h"
#include "TestSupport.h"
#include "browser/Layout.h"
#include "profile/Merge.h"
#include "profile/ProfileFiles.h"

using namespace velltune::test;
using profile::ReadResult;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

size_t FilesIn(const std::wstring& folder)
{
    size_t count = 0;
    WIN32_FIND_DATAW entry{};
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return count;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    ReadResult result;
    const wchar_t* badSection = nullptr;
    const wchar_t* badKey = nullptr;
    const wchar_t* badValue = nullptr;
};

TEST(Profile, EveryValueIsCheckedAndTheFirstBadOneIsNamed)
{
    const std::string face49(49, 'F'), face50(50, 'F');
    const ReadCase cases[] = {
        {"subset", "[Font]\r\nDefaultFontSize=20\r\n", ReadResult::Read},
        {"unknown keys and sections", "[Other]\r\nX=1\r\n[Font]\r\nUnknown=zzz\r\nMinimumFontSize=+2\r\n", ReadResult::Read},
        {"longest face", "[Font]\r\nSerifFontFamily=" + face49 + "\r\n", ReadResult::Read},
        {"version only", "[Velltune]\r\nProfileVersion=1\r\n", ReadResult::Read},
        {"empty", "", ReadResult::NoSettings},
        {"no profile keys", "[General]\r\nHomePage=x\r\n", ReadResult::NoSettings},
        {"UTF-8 with mark", "\xEF\xBB\xBF[Font]\r\nSerifFontFamily=Zo\xC3\xAB\r\n", ReadResult::Read},
        // The profile service would read it in the ANSI code page and garble the name.
        {"UTF-8 without mark", "[Font]\r\nSerifFontFamily=Zo\xC3\xAB\r\n", ReadResult::Unreadable},
        {"binary", std::string("[Font]\r\nDefaultFontSize=20\r\n\0\x01", 29), ReadResult::Unreadable},
        {"scroll above range", "[ScrollPage]\r\nWheelAccel=451\r\n", ReadResult::Invalid, L"ScrollPage", L"WheelAccel", L"451"},
        {"scroll negative", "[ScrollPage]\r\nWheelBeginDumping=-1\r\n", ReadResult::Invalid, L"ScrollPage",
         L"WheelBeginDumping", L"-1"},
        {"not a whole number", "[ScrollPage]\r\nWheelStep=12abc\r\n", ReadResult::Invalid, L"ScrollPage", L"WheelStep", L"12abc"},
        {"decimal", "[ScrollPage]\r\nWheelStep=1.5\r\n", ReadResult::Invalid, L"ScrollPage", L"WheelStep", L"1.5"},
        {"switch case", "[ScrollPage]\r\nScrollPageSmoothly=True\r\n", ReadResult::Invalid, L"ScrollPage",
         L"ScrollPageSmoothly", L"True"},
        {"empty face", "[Font]\r\nSerifFontFamily=\r\n", ReadResult::Invalid, L"Font", L"SerifFontFamily", L""},
        {"face of 50", "[Font]\r\nFixedFontFamily=" + face50 + "\r\n", ReadResult::Invalid, L"Font", L"FixedFontFamily",
         L"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
        {"size zero", "[Font]\r\nDefaultFontSize=0\r\n", ReadResult::Invalid, L"Font", L"DefaultFontSize", L"0"},
        {"size 100", "[Font]\r\nMinimumLogicalFontSize=100\r\n", ReadResult::Invalid, L"Font", L"MinimumLogicalFontSize",
         L"100"},
        {"huge number", "[Font]\r\nDefaultFontSize=99999999999999999999999\r\n", ReadResult::Invalid, L"Font",
         L"DefaultFontSize", L"99999999999999999999999"},
        {"new-tab 2", "[CreateNewTab]\r\nSearchBarInput=2\r\n", ReadResult::Invalid, L"CreateNewTab", L"SearchBarInput", L"2"},
        {"other version", "[Velltune]\r\nProfileVersion=2\r\n[Font]\r\nDefaultFontSize=20\r\n", ReadResult::Invalid,
         L"Velltune", L"ProfileVersion", L"2"},
        {"first of two", "[CreateNewTab]\r\nClickOnFavorite=yes\r\n[ScrollPage]\r\nWheelEndDumping=x\r\n", ReadResult::Invalid,
         L"ScrollPage", L"WheelEndDumping", L"x"},
    };
    TempDir dir;
    const std::wstring file = dir / L"profile.ini";
    for (const ReadCase& c : cases) {
        WriteFileBytes(file, c.bytes);
        profile::Profile p;
        profile::BadValue bad;
        EXPECT_EQ(profile::Read(file, p, bad), c.result) << c.name;
        if (c.result == ReadResult::Invalid) {
            EXPECT_EQ(bad.section, c.badSection) << c.name;
            EXPECT_EQ(bad.key, c.badKey) << c.name;
            EXPECT_EQ(bad.value, c.badValue) << c.name;
            EXPECT_FALSE(p.HasEngineKeys() || p.HasNewTab()) << c.name << ": an invalid profile gives nothing";
        }
    }
    profile::Profile p;
    profile::BadValue bad;
    EXPECT_EQ(profile::Read(dir / L"missing.ini", p, bad), ReadResult::Unreadable);
    EXPECT_EQ(profile::Read(dir.Path(), p, bad), ReadResult::Unreadable);
}

TEST(Profile, WriteGivesUtf16TextThatReadsBackAndReplacesInOneStep)
{
    profile::Profile p;
    p.smoothScroll = false;
    p.scroll[3] = 300;
    p.faces[fonts::kSerif] = L"\u5b8b\u4f53";
    p.sizes[0] = 99;
    p.newTab[1] = true;
    TempDir dir;
    const std::wstring file = dir / L"office.ini";
    ASSERT_TRUE(profile::Write(file, p));
    EXPECT_EQ(ReadFileBytes(file), Utf16LeFileBytes(L"[Velltune]\r\nProfileVersion=1\r\n[ScrollPage]\r\n"
                                                    L"ScrollPageSmoothly=false\r\nWheelStep=300\r\n[Font]\r\n"
                                                    L"SerifFontFamily=\u5b8b\u4f53\r\nDefaultFontSize=99\r\n"
                                                    L"[CreateNewTab]\r\nSearchBarInput=1\r\n"));
    profile::Profile back;
    profile::BadValue bad;
    ASSERT_EQ(profile::Read(file, back, bad), ReadResult::Read);
    EXPECT_EQ(profile::Render(back), profile::Render(p));

    // A file held open by another program stays as it was, with no temporary file beside it.
    const std::string before = ReadFileBytes(file);
    {
        FileLock lock(file);
        ASSERT_TRUE(lock.Held());
        p.sizes[0] = 12;
        EXPECT_FALSE(profile::Write(file, p));
    }
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    EXPECT_FALSE(profile::Write(dir / L"no such folder\\x.ini", p));
}

const char kEngine[] =
    "[General]\r\n"
    "Version=3.1\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=30\r\n"
    "WheelStep=150\r\n"
    "[Font]\r\n"
    "SerifFontFamily=" "A very long face name that the window would cut at forty-nine\r\n"
    "DefaultFontSize=16\r\n";
const char kConfig[] = "[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\n";

TEST(ProfileFiles, ApplyWritesOnlyThePresentKeysAndNothingWhenOneFileCannotTakeThem)
{
    TempDir dir;
    const std::wstring data = dir / L"data\\";
    // Accounts' files lie in the data folder: a save writes nothing outside it.
    const std::wstring engine = browser::EngineSettingsPath(data), alice = data + L"alice.ini", bob = data + L"bob.ini";
    profile::Profile p;
    p.scroll[3] = 200;
    p.faces[fonts::kFixed] = L"Not Installed Mono";
    p.newTab[0] = true;
    profile::ApplyFailure failed;

    struct {
        const char* name;
        const char* engineBefore;
        std::optional<bool> smooth;
        std::string engineAfter;
    } cases[] = {
        {"on", kEngine, std::nullopt,
         Replace(Replace(kEngine, "WheelStep=150", "WheelStep=200"), "DefaultFontSize=16\r\n",
                 "DefaultFontSize=16\r\nFixedFontFamily=Not Installed Mono\r\n")},
        // Switched off, the numbers stay as the browser has them, as a save from the window leaves them.
        {"switched off", kEngine, false,
         Replace(Replace(kEngine, "ScrollPageSmoothly=true", "ScrollPageSmoothly=false"), "DefaultFontSize=16\r\n",
                 "DefaultFontSize=16\r\nFixedFontFamily=Not Installed Mono\r\n")},
    };
    for (const auto& c : cases) {
        WriteFileBytes(engine, c.engineBefore);
        WriteFileBytes(alice, kConfig);
        WriteFileBytes(bob, kConfig);
        p.smoothScroll = c.smooth;
        ASSERT_TRUE(profile::Apply(p, data, {alice, bob}, {}, failed)) << c.name;
        EXPECT_EQ(ReadFileBytes(engine), c.engineAfter) << c.name;
        for (const std::wstring& config : {alice, bob})
            EXPECT_EQ(ReadFileBytes(config), Replace(kConfig, "AddressBarInput=0", "AddressBarInput=1")) << c.name;
    }

    // A face that the code page of a file without a Unicode mark lacks would be garbled: nothing is written.
    p.faces[fonts::kFixed] = L"\u5b8b\u4f53";
    WriteFileBytes(engine, kEngine);
    WriteFileBytes(alice, kConfig);
    EXPECT_FALSE(profile::Apply(p, data, {alice}, {}, failed));
    EXPECT_EQ(failed.face, L"\u5b8b\u4f53");
    EXPECT_EQ(ReadFileBytes(engine), kEngine);
    EXPECT_EQ(ReadFileBytes(alice), kConfig);
    WriteFileBytes(engine, Utf16LeFileBytes(Utf16(kEngine)));
    ASSERT_TRUE(profile::Apply(p, data, {alice}, {}, failed));
    EXPECT_NE(ReadFileBytes(engine).find(Utf16LeFileBytes(L"FixedFontFamily=\u5b8b\u4f53\r\n").substr(2)), std::string::npos);

    p.faces[fonts::kFixed] = L"Not Installed Mono";
    WriteFileBytes(engine, kEngine);
    WriteFileBytes(alice, kConfig);
    FileLock lock(bob);
    ASSERT_TRUE(lock.Held());
    EXPECT_FALSE(profile::Apply(p, data, {alice, bob}, {}, failed));
    EXPECT_EQ(failed.file, bob);
    EXPECT_EQ(ReadFileBytes(engine), kEngine);
    EXPECT_EQ(ReadFileBytes(alice), kConfig);
}

// What /check reports is what an Apply would change, text for text.
TEST(ProfileFiles, DifferencesAreExactlyWhatApplyWouldChange)
{
    TempDir dir;
    const std::wstring data = dir / L"data\\", profileFile = dir / L"office.ini", config = data + L"config.ini";
    const std::wstring engine = browser::EngineSettingsPath(data);
    const std::string off = Replace(kEngine, "ScrollPageSmoothly=true", "ScrollPageSmoothly=false");
    const struct {
        const char* name;
        std::string engineBefore;
        const char* profileText;
        std::vector<std::string> differences;  // "file [section] key: file's value -> profile's"
    } cases[] = {
        {"in place", kEngine,
         "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelStep=150\r\n[Font]\r\nDefaultFontSize=16\r\n"
         "[CreateNewTab]\r\nAddressBarInput=0\r\n",
         {}},
        {"a missing key, even one at its default", kEngine, "[ScrollPage]\r\nWheelAccel=4\r\n",
         {"engine [ScrollPage] WheelAccel: (missing) -> 4"}},
        {"another spelling of the number", Replace(kEngine, "DefaultFontSize=16", "DefaultFontSize=016"),
         "[Font]\r\nDefaultFontSize=16\r\n", {"engine [Font] DefaultFontSize: 016 -> 16"}},
        {"a face in another case", Replace(kEngine, "DefaultFontSize=16", "FixedFontFamily=courier\r\nDefaultFontSize=16"),
         "[Font]\r\nFixedFontFamily=Courier\r\n", {"engine [Font] FixedFontFamily: courier -> Courier"}},
        {"numbers while smooth scrolling stays off", off, "[ScrollPage]\r\nWheelStep=200\r\n", {}},
        {"the profile turns it on", off, "[ScrollPage]\r\nScrollPageSmoothly=true\r\nWheelStep=200\r\n",
         {"engine [ScrollPage] ScrollPageSmoothly: false -> true", "engine [ScrollPage] WheelStep: 150 -> 200"}},
        {"the profile turns it off", kEngine, "[ScrollPage]\r\nScrollPageSmoothly=false\r\nWheelStep=200\r\n",
         {"engine [ScrollPage] ScrollPageSmoothly: true -> false"}},
        {"switches", kEngine, "[CreateNewTab]\r\nAddressBarInput=1\r\nClickOnFavorite=0\r\n",
         {"config [CreateNewTab] AddressBarInput: 0 -> 1", "config [CreateNewTab] ClickOnFavorite: (missing) -> 0"}},
    };
    for (const auto& c : cases) {
        WriteFileBytes(engine, c.engineBefore);
        WriteFileBytes(config, kConfig);
        WriteFileBytes(profileFile, c.profileText);
        profile::Profile p;
        profile::BadValue bad;
        ASSERT_EQ(profile::Read(profileFile, p, bad), ReadResult::Read) << c.name;

        std::vector<std::string> found;
        const auto list = [&found](const char* file, const std::vector<profile::Difference>& differences) {
            for (const profile::Difference& d : differences)
                found.push_back(std::string(file) + " [" + Utf8(d.section) + "] " + Utf8(d.key) + ": " +
                                (d.inFile ? Utf8(*d.inFile) : "(missing)") + " -> " + Utf8(d.inProfile));
        };
        list("engine", profile::EngineDifferences(p, engine));
        list("config", profile::NewTabDifferences(p, config));
        EXPECT_EQ(found, c.differences) << c.name;
        // Nothing was written by the comparison; an Apply then changes a file exactly when it differs.
        EXPECT_EQ(ReadFileBytes(engine), c.engineBefore) << c.name;
        profile::ApplyFailure failed;
        ASSERT_TRUE(profile::Apply(p, data, {config}, {}, failed)) << c.name;
        const auto differs = [&found](const char* file) {
            return std::any_of(found.begin(), found.end(), [file](const std::string& f) { return f.rfind(file, 0) == 0; });
        };
        EXPECT_EQ(ReadFileBytes(engine) != c.engineBefore, differs("engine")) << c.name;
        EXPECT_EQ(ReadFileBytes(config) != kConfig, differs("config")) << c.name;
    }
}

TEST(ProfileFiles, ExportOfMissingKeysGivesTheDefaultsTheWindowShows)
{
    TempDir dir;
    const std::wstring engine = dir / L"WKSetting.ini", config = dir / L"config.ini";
    WriteFileBytes(engine, "[ScrollPage]\r\nScrollPageSmoothly=false\r\nWheelAccel=9\r\n[Font]\r\nCursiveFontFamily=\r\n");
    WriteFileBytes(config, "[General]\r\nHomePage=x\r\n");
    EXPECT_EQ(profile::Render(profile::FromFiles(engine, config)),
              L"[Velltune]\r\nProfileVersion=1\r\n"
              L"[ScrollPage]\r\nScrollPageSmoothly=false\r\nWheelBeginDumping=20\r\nWheelEndDumping=50\r\nWheelAccel=9\r\n"
              L"WheelStep=140\r\n"
              L"[Font]\r\nSerifFontFamily=Times New Roman\r\nSansSerifFontFamily=Arial\r\nStandardFontFamily=Times New Roman\r\n"
              L"FixedFontFamily=Courier\r\nCursiveFontFamily=Comic Sans MS\r\nFantasyFontFamily=Impact\r\n"
              L"DefaultFontSize=16\r\nDefaultFixedFontSize=13\r\nMinimumFontSize=1\r\nMinimumLogicalFontSize=9\r\n"
              L"[CreateNewTab]\r\nAddressBarInput=0\r\nSearchBarInput=1\r\nClickOnFavorite=1\r\n");
    EXPECT_FALSE(profile::FromFiles(engine, L"").HasNewTab());
}

}  // namespace

TEST(ProfileMerge, OnlySettingsTheUserLeftFollowTheFile)
{
    // What the window read and showed: smooth scrolling on, step 140, size 16,
    // serif and fantasy faces.
    profile::Profile read;
    read.smoothScroll = true;
    read.scroll[3] = 140;
    read.sizes[0] = 16;
    read.faces[fonts::kSerif] = L"X";
    read.faces[fonts::kFantasy] = L"F";
    const profile::Reading reading{read, read};
    using Edit = std::function<void(profile::Profile&)>;
    const Edit none = [](auto&) {};
    struct Case {
        const char* name;
        std::function<void(profile::Profile& shown, profile::Profile& current)> change;
        Edit follow;      // what the window takes from the file now
        Edit followBack;  // and once the user has taken back the step and the fantasy face
        bool setAll = false;
        bool noReading = false;  // another data folder was chosen
    } cases[] = {
        {"nobody changed anything", [](auto&, auto&) {}, none, none},
        {"another program changed the size",
         [](auto&, auto& current) { current.sizes[0] = 20; }, [](auto& e) { e.sizes[0] = 20; }, none},
        {"both changed the step: the user's stays until taken back",
         [](auto& shown, auto& current) { shown.scroll[3] = 200, current.scroll[3] = 150; }, none,
         [](auto& e) { e.scroll[3] = 150; }},
        {"a typed number keeps the switch on that another program turned off",
         [](auto& shown, auto& current) { shown.scroll[3] = 200, current.smoothScroll = false; }, none,
         [](auto& e) { e.smoothScroll = false; }},
        {"the switch alone follows the file",
         [](auto&, auto& current) { current.smoothScroll = false; }, [](auto& e) { e.smoothScroll = false; }, none},
        {"set all fonts to the serif face: every face is the user's until set-all is off",
         [](auto& shown, auto& current) {
             shown.faces[fonts::kFantasy] = L"X";
             current.faces[fonts::kSerif] = L"Y";
         },
         none, [](auto& e) { e.faces[fonts::kSerif] = L"Y"; }, true},
        {"after another folder is chosen nothing follows",
         [](auto&, auto& current) { current.sizes[0] = 20, current.faces[fonts::kSerif] = L"Y"; }, none, none, false,
         true},
    };
    for (const Case& c : cases) {
        profile::Profile shown = read, current = read, expected, expectedBack;
        c.change(shown, current);
        c.follow(expected);
        c.followBack(expectedBack);
        const profile::Reading before = c.noReading ? profile::Reading{} : reading;
        const profile::Profile changes = profile::FileChanges(shown, before, current, c.setAll);
        EXPECT_EQ(profile::Render(changes), profile::Render(expected)) << c.name;
        // Followed, a setting the user changed keeps its reading: the file's
        // value shows once the user takes the change back.
        profile::Profile now = profile::Overlaid(shown, changes);
        const profile::Reading after =
            profile::Followed(before, profile::UserChanged(shown, before, c.setAll), current, now);
        now.scroll[3] = read.scroll[3];
        now.faces[fonts::kFantasy] = read.faces[fonts::kFantasy];
        EXPECT_EQ(profile::Render(profile::FileChanges(now, after, current, false)), profile::Render(expectedBack))
            << c.name;
    }
}
