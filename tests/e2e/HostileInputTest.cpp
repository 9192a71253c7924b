// Hostile inputs against the real program, black-box: each input is put in
// place, Velltune.exe runs once as this process's debuggee through one fixed
// session (answer what it asks, change a number and a switch, Apply, Close),
// and then every file below the test folder is compared with what it was.
// Each run must end without a fault or a hang, a refused save must say so and
// leave the dialog modified, and nothing but the keys written may change.
// The observed outcomes are printed as a table at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>

#include "AppDriver.h"
#include "CommandLineRun.h"
#include "FileTree.h"
#include "IniContent.h"
#include "ProcessSupport.h"
#include "SampleFiles.h"
#include "TestSupport.h"
#include "resource.h"

using namespace velltune::test;

namespace {

// ---- What the program writes and says ---------------------------------------------------

const std::vector<WrittenKey> kEngineKeys = {
    {L"ScrollPage", L"ScrollPageSmoothly"}, {L"ScrollPage", L"WheelBeginDumping"},
    {L"ScrollPage", L"WheelEndDumping"},    {L"ScrollPage", L"WheelAccel"},
    {L"ScrollPage", L"WheelStep"},          {L"Font", L"SerifFontFamily"},
    {L"Font", L"SansSerifFontFamily"},      {L"Font", L"StandardFontFamily"},
    {L"Font", L"FixedFontFamily"},          {L"Font", L"CursiveFontFamily"},
    {L"Font", L"FantasyFontFamily"},        {L"Font", L"DefaultFontSize"},
    {L"Font", L"DefaultFixedFontSize"},     {L"Font", L"MinimumFontSize"},
    {L"Font", L"MinimumLogicalFontSize"},
};
const std::vector<WrittenKey> kConfigKeys = {
    {L"CreateNewTab", L"AddressBarInput"}, {L"CreateNewTab", L"SearchBarInput"}, {L"CreateNewTab", L"ClickOnFavorite"}};
const std::vector<WrittenKey> kSettingsKeys = {{L"General", L"DataFolder"}, {L"General", L"LanguageFile"}};

// The number fields and the keys their values are saved under.
struct SavedField {
    int editId;
    const wchar_t* section;
    const wchar_t* key;
};
constexpr SavedField kSavedFields[8] = {
    {IDC_EDIT_FOREPART, L"ScrollPage", L"WheelBeginDumping"},
    {IDC_EDIT_END, L"ScrollPage", L"WheelEndDumping"},
    {IDC_EDIT_ACCEL, L"ScrollPage", L"WheelAccel"},
    {IDC_EDIT_STEP, L"ScrollPage", L"WheelStep"},
    {IDC_EDIT_DEFAULTSIZE, L"Font", L"DefaultFontSize"},
    {IDC_EDIT_FIXEDSIZE, L"Font", L"DefaultFixedFontSize"},
    {IDC_EDIT_MINSIZE, L"Font", L"MinimumFontSize"},
    {IDC_EDIT_MINLOGICALSIZE, L"Font", L"MinimumLogicalFontSize"},
};
constexpr SavedField kSavedBoxes[3] = {
    {IDC_CHECK_ADDRESSBAR, L"CreateNewTab", L"AddressBarInput"},
    {IDC_CHECK_SEARCHBAR, L"CreateNewTab", L"SearchBarInput"},
    {IDC_CHECK_FAVORITES, L"CreateNewTab", L"ClickOnFavorite"},
};

// The program's English messages by their language-file keys, for the table.
std::string MessageName(const std::wstring& text)
{
    static const std::pair<const wchar_t*, const char*> known[] = {
        {L"Failed to save Nerovia 3 settings!", "SaveFailed"},
        {L"Failed to get Nerovia 3 users list!", "GetAccountFailed"},
        {L"Cannot find Nerovia 3 user config file.", "UserConfigFileMissing"},
        {L"Nmerical value out of range!", "ValueOutOfRange"},
        {L"Cannot find Nerovia 3 settings file.\n\nPlease reinstall Nerovia 3!", "SettingsFileMissing+Reinstall"},
    };
    for (const auto& [message, key] : known)
        if (text == message) return key;
    return "\"" + Utf8(text.substr(0, 40)) + "\"";
}

// ---- Input shapes -------------------------------------------------------------------------

const char* const kEngine = kSampleEngineFile;

const char* const kConfig = kSampleAccountConfig;

// Non-Latin text in keys, values and comments, for the encoded shapes.
const char kForeign[] =
    "; Nerovia 3 \xE8\xA8\xAD\xE5\xAE\x9A \xE2\x80\x94 \xD0\xBD\xD0\xB0\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB9\xD0\xBA\xD0\xB8\r\n"
    "[\xE5\xB1\xA5\xE6\xAD\xB4]\r\n"
    "\xE6\x9C\x80\xE5\xBE\x8C=C:\\Users\\Zo\xC3\xAB\\\xE6\x96\x87\xE6\x9B\xB8\r\n";

std::string Utf8Bom(const std::string& utf8)
{
    return "\xEF\xBB\xBF" + utf8;
}

std::string Utf16Le(const std::string& utf8)
{
    return Utf16LeFileBytes(Utf16(utf8));
}

// Random bytes, the same on every run, with NULs and line breaks among them.
std::string Garbage(size_t size)
{
    std::mt19937 random(20260101);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    bytes[100] = '\0';
    return bytes;
}

// Some 10 MB in 100,000 sections, with the given text amid them.
std::string Huge(const std::string& middle, bool atEnd = false)
{
    std::string bytes;
    bytes.reserve(10'500'000);
    char section[160];
    for (int i = 0; i < 100'000; ++i) {
        if (i == 50'000 && !atEnd) bytes += middle;
        std::snprintf(section, sizeof section,
                      "[Site%06d]\r\nZoom=100\r\nVisited=2026-01-01T00:00:00Z\r\n"
                      "Title=Page %d of a site that the browser remembers for its zoom\r\n",
                      i, i);
        bytes += section;
    }
    if (atEnd) bytes += middle;
    return bytes;
}

std::string Replaced(std::string text, const std::string& what, const std::string& with)
{
    text.replace(text.find(what), what.size(), with);
    return text;
}

// ---- The test folder ----------------------------------------------------------------------

// Profile: the program runs once as "/import profile.ini /account alice".
enum class Target { Engine, Config, Settings, Language, Folders, Profile };

struct Fixture {
    TempDir dir;
    std::wstring dataFolder = dir / L"data\\";
    std::vector<std::wstring> locked;  // held open without sharing during the run

    std::wstring Work() const { return dir / L"work\\"; }
    std::wstring Engine() const { return dataFolder + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring Config(const std::wstring& account = L"alice") const
    {
        return dataFolder + L"Users\\" + account + L"\\Config\\config.ini";
    }
    std::wstring Settings() const { return Work() + L"Settings.ini"; }
    std::wstring Language() const { return Work() + L"Language\\Hostile.ini"; }
    std::wstring Profile() const { return dir / L"profile.ini"; }
    std::string SettingsText(const std::string& more = "") const
    {
        return "[General]\r\nDataFolder=" + Utf8(dataFolder) + "\r\n" + more;
    }
    std::wstring Relative(const std::wstring& path) const { return path.substr(dir.Path().size()); }

    // A data folder with the engine file and accounts alice (with config.ini)
    // and bob (without), named by Settings.ini in the working folder.
    void Populate()
    {
        WriteFileBytes(Engine(), kEngine);
        WriteFileBytes(Config(), kConfig);
        ::CreateDirectoryW((dataFolder + L"Users\\bob").c_str(), nullptr);
        WriteFileBytes(Settings(), SettingsText());
    }
    // Moves the data folder to another name (it must not hold files yet).
    void RenameData(const std::wstring& name) { dataFolder = dir.Path() + name + L"\\"; }
    void ReplaceByFolder(const std::wstring& path)
    {
        ::DeleteFileW(path.c_str());
        ::CreateDirectoryW(path.c_str(), nullptr);
    }
    void UseLanguage(const std::string& bytes)
    {
        WriteFileBytes(Settings(), SettingsText("LanguageFile=Hostile.ini\r\n"));
        WriteFileBytes(Language(), bytes);
    }
};

// ---- The cases ----------------------------------------------------------------------------

enum class Ask { Give, Cancel };  // the answer to the data-folder dialog

struct HostileCase {
    const char* id;
    const char* input;
    Target target;
    std::function<void(Fixture&)> prepare;
    std::string expected;  // the outcome, as the table shows it
    const wchar_t* account = nullptr;
    Ask ask = Ask::Give;
    bool showFields = false;
    bool showOk = false;
};

// Names the case in gtest's messages instead of dumping its bytes.
void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.id;
}

std::string LongLanguage(size_t length)
{
    std::string text = "[General]\r\n";
    for (const char* key : {"OK", "Apply", "Cancel", "Close", "SaveFailed", "GetAccountFailed", "Menu", "ScrollPage",
                            "StepSize", "SetAllFonts", "LanguageName", "SetLanguage", "EnterIntegerInRange"})
        text += std::string(key) + "=" + std::string(length, 'W') + "\r\n";
    return text;
}

std::vector<HostileCase> Cases()
{
    const std::string opensAndSaves = "opens; Apply saves";
    const std::string refused = "opens; Apply says SaveFailed, stays modified";
    const std::string givenAndSaves = "asks for folder, given; opens; Apply saves";
    const std::string cancelledAndEnds = "asks for folder, cancelled; says SettingsFileMissing+Reinstall; ends";
    const std::string inEnglish = "opens; OK reads \"OK\"; Apply saves";
    using F = Fixture;
    return {
        // WKSetting.ini
        {"engine_missing", "WKSetting.ini missing", Target::Engine, [](F& f) { ::DeleteFileW(f.Engine().c_str()); },
         cancelledAndEnds, nullptr, Ask::Cancel},
        {"engine_empty", "WKSetting.ini empty", Target::Engine, [](F& f) { WriteFileBytes(f.Engine(), ""); },
         opensAndSaves},
        {"engine_garbage", "WKSetting.ini binary garbage (64 KB)", Target::Engine,
         [](F& f) { WriteFileBytes(f.Engine(), Garbage(65536)); }, refused},
        {"engine_utf16", "WKSetting.ini UTF-16LE with BOM", Target::Engine,
         [](F& f) { WriteFileBytes(f.Engine(), Utf16Le(kForeign + std::string(kEngine))); }, opensAndSaves},
        {"engine_utf8", "WKSetting.ini UTF-8 with BOM", Target::Engine,
         [](F& f) { WriteFileBytes(f.Engine(), Utf8Bom(kEngine + std::string(kForeign))); }, opensAndSaves},
        {"engine_huge", "WKSetting.ini 10 MB, 100,000 sections", Target::Engine,
         [](F& f) { WriteFileBytes(f.Engine(), Huge(kEngine)); }, opensAndSaves},
        {"engine_long_lines", "WKSetting.ini lines over 64 KB", Target::Engine,
         [](F& f) {
             std::string text = Replaced(kEngine, "ZoomStep=10\r\n", "Trail=" + std::string(70'000, 't') + "\r\n");
             text = "; " + std::string(70'000, 'c') + "\r\n" + text + "[History]\r\nList=" + std::string(100'000, 'h') +
                    "\r\n";
             WriteFileBytes(f.Engine(), text);
         },
         opensAndSaves},
        {"engine_duplicates", "WKSetting.ini duplicate sections and keys", Target::Engine,
         [](F& f) {
             std::string text = Replaced(kEngine, "WheelStep=140\r\n", "WheelStep=140\r\nWheelStep=250\r\n");
             text += "[ScrollPage]\r\nScrollPageSmoothly=false\r\nWheelStep=77\r\n[Font]\r\nDefaultFontSize=30\r\n";
             WriteFileBytes(f.Engine(), text);
         },
         "opens; shows 20 50 4 140 / 16 13 1 9; Apply saves", nullptr, Ask::Give, true},
        {"engine_no_final_break", "WKSetting.ini without final line break", Target::Engine,
         [](F& f) {
             const std::string text = kEngine;
             WriteFileBytes(f.Engine(), text.substr(0, text.size() - 2));
         },
         opensAndSaves},
        {"engine_long_values", "WKSetting.ini values longer than every capacity", Target::Engine,
         [](F& f) {
             std::string text = Replaced(kEngine, "ScrollPageSmoothly=true", "ScrollPageSmoothly=true" + std::string(300, 'e'));
             text = Replaced(text, "SerifFontFamily=DejaVu Serif", "SerifFontFamily=DejaVu Serif" + std::string(300, 's'));
             text = Replaced(text, "CacheModel=1", "UserAgent=" + std::string(100'000, 'u'));
             WriteFileBytes(f.Engine(), text);
         },
         opensAndSaves},
        {"engine_numbers", "WKSetting.ini numbers -5, 0050, blanks, >2^31, >2^32", Target::Engine,
         [](F& f) {
             WriteFileBytes(f.Engine(),
                            "[ScrollPage]\r\nWheelBeginDumping=-5\r\nWheelEndDumping=0050\r\nWheelAccel =  7  \r\n"
                            "WheelStep=2147483648\r\n[Font]\r\nDefaultFontSize=4294967297\r\nDefaultFixedFontSize=-13\r\n"
                            "MinimumFontSize= 007\r\nMinimumLogicalFontSize=3000000000\r\n");
         },
         "opens; shows 20 50 7 140 / 1 13 7 9; Apply saves", nullptr, Ask::Give, true},
        {"engine_folder", "WKSetting.ini replaced by a folder", Target::Engine,
         [](F& f) { f.ReplaceByFolder(f.Engine()); }, refused},
        {"engine_locked", "WKSetting.ini held open without sharing", Target::Engine,
         [](F& f) { f.locked.push_back(f.Engine()); }, refused},

        // config.ini of the account the session picks
        {"config_missing", "config.ini missing", Target::Config, [](F& f) { ::DeleteFileW(f.Config().c_str()); },
         "opens; alice: says UserConfigFileMissing; Apply saves", L"alice"},
        {"config_garbage", "config.ini binary garbage (4 KB)", Target::Config,
         [](F& f) { WriteFileBytes(f.Config(), Garbage(4096)); }, refused, L"alice"},
        {"config_utf16", "config.ini UTF-16LE with BOM", Target::Config,
         [](F& f) { WriteFileBytes(f.Config(), Utf16Le(kForeign + std::string(kConfig))); }, opensAndSaves, L"alice"},
        {"config_duplicates", "config.ini duplicates, no final line break", Target::Config,
         [](F& f) {
             WriteFileBytes(f.Config(), "[CreateNewTab]\r\nAddressBarInput=0\r\nAddressBarInput=1\r\n[General]\r\n"
                                        "HomePage=x\r\n[CreateNewTab]\r\nSearchBarInput=0");
         },
         opensAndSaves, L"alice"},
        {"config_numbers", "config.ini numbers -1, 2^32, blanks and zeros", Target::Config,
         [](F& f) {
             WriteFileBytes(f.Config(), "[CreateNewTab]\r\nAddressBarInput=-1\r\nSearchBarInput=4294967296\r\n"
                                        "ClickOnFavorite =  007 \r\n");
         },
         "opens; shows 20 50 4 140 / 16 13 1 9, ticks 1 0 1; Apply saves", L"alice", Ask::Give, true},
        {"config_folder", "config.ini replaced by a folder", Target::Config,
         [](F& f) { f.ReplaceByFolder(f.Config()); }, refused, L"alice"},
        {"config_locked", "config.ini held open without sharing", Target::Config,
         [](F& f) { f.locked.push_back(f.Config()); }, refused, L"alice"},

        // Settings.ini
        {"settings_missing", "Settings.ini missing", Target::Settings,
         [](F& f) { ::DeleteFileW(f.Settings().c_str()); }, givenAndSaves},
        {"settings_empty", "Settings.ini empty", Target::Settings, [](F& f) { WriteFileBytes(f.Settings(), ""); },
         givenAndSaves},
        {"settings_garbage", "Settings.ini binary garbage (4 KB)", Target::Settings,
         [](F& f) { WriteFileBytes(f.Settings(), Garbage(4096)); }, givenAndSaves},
        {"settings_utf16", "Settings.ini UTF-16LE, non-Latin data folder", Target::Settings,
         [](F& f) {
             f.RenameData(Utf16("data \xE6\x95\xB0\xE6\x8D\xAE"));
             f.Populate();
             WriteFileBytes(f.Settings(), Utf16Le(kForeign + f.SettingsText()));
         },
         opensAndSaves},
        {"settings_utf8", "Settings.ini UTF-8 with BOM, non-Latin data folder", Target::Settings,
         [](F& f) {
             f.RenameData(Utf16("donn\xC3\xA9""es \xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5"));
             f.Populate();
             WriteFileBytes(f.Settings(), Utf8Bom(f.SettingsText() + kForeign));
         },
         opensAndSaves},
        {"settings_huge", "Settings.ini 10 MB, 100,000 sections", Target::Settings,
         [](F& f) { WriteFileBytes(f.Settings(), Huge(f.SettingsText(), true)); }, opensAndSaves},
        {"settings_long_lines", "Settings.ini lines over 64 KB", Target::Settings,
         [](F& f) {
             WriteFileBytes(f.Settings(), "; " + std::string(70'000, 'c') + "\r\n[Window]\r\nState=" +
                                              std::string(100'000, 'w') + "\r\n" + f.SettingsText());
         },
         opensAndSaves},
        {"settings_duplicates", "Settings.ini duplicate sections and keys", Target::Settings,
         [](F& f) {
             WriteFileBytes(f.Settings(), f.SettingsText("DataFolder=Z:\\nowhere\\\r\n[General]\r\n"
                                                         "DataFolder=Z:\\elsewhere\\\r\nLanguageFile=German.ini\r\n"));
         },
         opensAndSaves},
        {"settings_no_final_break", "Settings.ini without final line break", Target::Settings,
         [](F& f) {
             const std::string text = f.SettingsText();
             WriteFileBytes(f.Settings(), text.substr(0, text.size() - 2));
         },
         opensAndSaves},
        {"settings_long_values", "Settings.ini values longer than every capacity", Target::Settings,
         [](F& f) {
             WriteFileBytes(f.Settings(), f.SettingsText("LanguageFile=" + std::string(300, 'l') + ".ini\r\nNote=" +
                                                         std::string(100'000, 'n') + "\r\n"));
         },
         opensAndSaves},
        {"settings_long_data_folder", "Settings.ini DataFolder of 255 characters", Target::Settings,
         [](F& f) {
             // Below the test's own folder, whatever the length of its name.
             const size_t base = f.dir.Path().size();
             std::wstring deep;
             while (base + deep.size() < 245) deep += L"deeper-folder\\";
             deep.resize(254 - base);
             f.RenameData(deep);
             // Named only: whether a folder that deep can be made depends on the platform.
             WriteFileBytes(f.Settings(), f.SettingsText());
         },
         cancelledAndEnds, nullptr, Ask::Cancel},
        {"settings_language_escape", "Settings.ini LanguageFile=..\\..\\x.ini", Target::Settings,
         [](F& f) {
             WriteFileBytes(f.dir / L"x.ini", "[General]\r\nOK=Hijacked\r\nClose=Hijacked\r\n");
             WriteFileBytes(f.Settings(), f.SettingsText("LanguageFile=..\\..\\x.ini\r\n"));
         },
         inEnglish, nullptr, Ask::Give, false, true},
        {"settings_folder", "Settings.ini replaced by a folder", Target::Settings,
         [](F& f) { f.ReplaceByFolder(f.Settings()); }, givenAndSaves},
        {"settings_locked", "Settings.ini held open without sharing", Target::Settings,
         [](F& f) { f.locked.push_back(f.Settings()); }, givenAndSaves},

        // The language file that Settings.ini names
        {"language_missing", "language file missing", Target::Language,
         [](F& f) { WriteFileBytes(f.Settings(), f.SettingsText("LanguageFile=Hostile.ini\r\n")); }, inEnglish,
         nullptr, Ask::Give, false, true},
        {"language_empty", "language file empty", Target::Language, [](F& f) { f.UseLanguage(""); }, inEnglish,
         nullptr, Ask::Give, false, true},
        {"language_garbage", "language file binary garbage (64 KB)", Target::Language,
         [](F& f) { f.UseLanguage(Garbage(65536)); }, opensAndSaves},
        {"language_utf16", "language file UTF-16LE with BOM", Target::Language,
         [](F& f) { f.UseLanguage(Utf16Le("[General]\r\nLanguageName=\xE4\xB8\xAD\xE6\x96\x87\r\nOK=\xE7\xA2\xBA\xE5\xAE\x9A\r\n")); },
         "opens; OK reads \"\xE7\xA2\xBA\xE5\xAE\x9A\"; Apply saves", nullptr, Ask::Give, false, true},
        {"language_utf8", "language file UTF-8 with BOM", Target::Language,
         [](F& f) { f.UseLanguage(Utf8Bom("[General]\r\nOK=Gr\xC3\xB6\xC3\x9F""e\r\n")); },
         "opens; OK reads \"Gr\xC3\xB6\xC3\x9F""e\"; Apply saves", nullptr, Ask::Give, false, true},
        {"language_huge", "language file 10 MB, 100,000 sections", Target::Language,
         [](F& f) { f.UseLanguage(Huge("[General]\r\nOK=Huge\r\n", true)); }, "opens; OK reads \"Huge\"; Apply saves",
         nullptr, Ask::Give, false, true},
        {"language_long_lines", "language file lines over 64 KB", Target::Language,
         [](F& f) { f.UseLanguage("; " + std::string(70'000, 'c') + "\r\n" + LongLanguage(70'000)); },
         "opens; OK reads 255 characters; Apply saves", nullptr, Ask::Give, false, true},
        {"language_duplicates", "language file duplicate sections and keys", Target::Language,
         [](F& f) { f.UseLanguage("[General]\r\nOK=First\r\nOK=Second\r\n[General]\r\nOK=Third\r\n"); },
         "opens; OK reads \"First\"; Apply saves", nullptr, Ask::Give, false, true},
        {"language_no_final_break", "language file without final line break", Target::Language,
         [](F& f) { f.UseLanguage("[General]\r\nApply=Go\r\nOK=Last"); }, "opens; OK reads \"Last\"; Apply saves",
         nullptr, Ask::Give, false, true},
        {"language_long_values", "language file values longer than every capacity", Target::Language,
         [](F& f) { f.UseLanguage(LongLanguage(300)); }, "opens; OK reads 255 characters; Apply saves", nullptr,
         Ask::Give, false, true},
        {"language_folder", "language file replaced by a folder", Target::Language,
         [](F& f) {
             f.UseLanguage("");
             f.ReplaceByFolder(f.Language());
         },
         inEnglish, nullptr, Ask::Give, false, true},
        {"language_locked", "language file held open without sharing", Target::Language,
         [](F& f) {
             f.UseLanguage("[General]\r\nOK=Locked\r\n");
             f.locked.push_back(f.Language());
         },
         inEnglish, nullptr, Ask::Give, false, true},

        // The data folder's accounts
        {"accounts_1000", "1,000 accounts", Target::Folders,
         [](F& f) {
             wchar_t name[32];
             for (int i = 0; i < 1000; ++i) {
                 std::swprintf(name, 32, L"user %04d", i);
                 WriteFileBytes(f.Config(name), kConfig);
             }
         },
         opensAndSaves, L"user 0999"},
        {"accounts_non_latin", "account names with blanks, non-Latin letters", Target::Folders,
         [](F& f) {
             for (const char* name : {"Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m", "\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E",
                                      "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2",
                                      " leading blank"})
                 WriteFileBytes(f.Config(Utf16(name)), kConfig);
         },
         opensAndSaves, L"\u5c71\u7530 \u592a\u90ce"},
        // Profiles given to the command line
        {"profile_garbage", "profile binary garbage (4 KB)", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), Garbage(4096)); }, "exit 2"},
        {"profile_empty", "profile empty", Target::Profile, [](F& f) { WriteFileBytes(f.Profile(), ""); }, "exit 2"},
        {"profile_huge", "profile 10 MB, 100,000 sections, keys amid them", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), Huge("[ScrollPage]\r\nWheelStep=200\r\n[CreateNewTab]\r\nSearchBarInput=0\r\n")); },
         "exit 0; WheelStep=200 SearchBarInput=0", L"alice"},
        {"profile_utf16", "profile UTF-16LE, Chinese face into an ANSI file", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), Utf16Le(std::string(kForeign) + "[Font]\r\nSerifFontFamily=\xE5\xAE\x8B\xE4\xBD\x93\r\n")); },
         "exit 5"},
        {"profile_utf16_no_bom", "profile UTF-16LE without BOM", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), Utf16Le("[ScrollPage]\r\nWheelStep=200\r\n").substr(2)); }, "exit 2"},
        {"profile_utf8", "profile UTF-8 with BOM, Latin-1 face", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), Utf8Bom("[Font]\r\nFantasyFontFamily=Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m\r\n")); },
         "exit 0; FantasyFontFamily=Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m", L"alice"},
        {"profile_utf16_into_utf16", "profile UTF-16LE, Chinese face into a UTF-16 file", Target::Profile,
         [](F& f) {
             WriteFileBytes(f.Engine(), Utf16Le(kEngine));
             WriteFileBytes(f.Profile(), Utf16Le("[Font]\r\nSerifFontFamily=\xE5\xAE\x8B\xE4\xBD\x93\r\n"));
         },
         "exit 0; SerifFontFamily=\xE5\xAE\x8B\xE4\xBD\x93", L"alice"},
        {"profile_utf8_no_bom", "profile UTF-8 without BOM, non-Latin face", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), "[Font]\r\nFantasyFontFamily=Zo\xC3\xAB\r\n"); }, "exit 2"},
        {"profile_out_of_range", "profile WheelAccel=451 after a good key", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), "[ScrollPage]\r\nWheelStep=200\r\nWheelAccel=451\r\n"); }, "exit 2"},
        {"profile_not_numeric", "profile sizes 12pt, -3, 1e2", Target::Profile,
         [](F& f) {
             WriteFileBytes(f.Profile(), "[Font]\r\nDefaultFontSize=12pt\r\nMinimumFontSize=-3\r\nDefaultFixedFontSize=1e2\r\n");
         },
         "exit 2"},
        {"profile_face_1000", "profile face of 1,000 characters", Target::Profile,
         [](F& f) { WriteFileBytes(f.Profile(), "[Font]\r\nSerifFontFamily=" + std::string(1000, 'f') + "\r\n"); }, "exit 2"},
        {"profile_duplicates", "profile duplicate sections and keys", Target::Profile,
         [](F& f) {
             WriteFileBytes(f.Profile(), "[ScrollPage]\r\nWheelStep=200\r\nWheelStep=999\r\n[ScrollPage]\r\nWheelStep=7\r\n"
                                         "WheelAccel=9\r\n");
         },
         "exit 0; WheelStep=200", L"alice"},
        {"users_file", "Users is a file", Target::Folders,
         [](F& f) {
             TempDir scratch;  // moves Users out of the way, to be deleted with it
             ::MoveFileW((f.dataFolder + L"Users").c_str(), (scratch / L"Users").c_str());
             WriteFileBytes(f.dataFolder + L"Users", "not a folder\r\n");
         },
         "says GetAccountFailed; opens; Apply saves"},
    };
}

// ---- The table ----------------------------------------------------------------------------

struct Row {
    std::string input, outcome, files;
};
std::vector<Row> g_rows;

// Printed, and kept beside the test program for scripts/test, which shows it
// after ctest (ctest keeps the output of passing tests to itself).
class HostileTable : public ::testing::Environment {
public:
    void TearDown() override
    {
        if (g_rows.empty()) return;
        std::string table = "Hostile inputs: " + std::to_string(g_rows.size()) + " (the program started once each)\n";
        char line[512];
        std::snprintf(line, sizeof line, "%-52s %-74s %s\n", "input", "outcome", "files");
        table += line;
        for (const Row& row : g_rows) {
            std::snprintf(line, sizeof line, "%-52s %-74s %s\n", row.input.c_str(), row.outcome.c_str(), row.files.c_str());
            table += line;
        }
        std::printf("\n%s", table.c_str());
        std::fflush(stdout);
        WriteFileBytes(ThisExeFolder() + L"hostile-inputs.txt", table);
    }
};
[[maybe_unused]] ::testing::Environment* const g_table = ::testing::AddGlobalTestEnvironment(new HostileTable);

// ---- The session --------------------------------------------------------------------------

constexpr milliseconds kSlowStep{120'000};  // a 10 MB file is read and rewritten key by key

class HostileInput : public ::testing::TestWithParam<HostileCase> {
protected:
    void Say(const std::string& part)
    {
        if (!outcome_.empty()) outcome_ += "; ";
        outcome_ += part;
    }

    // Answers what comes before the main window; true when it opened.
    bool Start(const HostileCase& c)
    {
        const auto deadline = std::chrono::steady_clock::now() + kSlowStep;
        while (std::chrono::steady_clock::now() < deadline) {
            if (app_.WaitForMainWindow(milliseconds(0))) {
                Say("opens");
                return true;
            }
            if (HWND box = app_.WaitForMessageBox(milliseconds(0))) {
                Say("says " + MessageName(VelltuneApp::MessageText(box)));
                if (!app_.Answer(box)) break;
                continue;
            }
            if (HWND ask = app_.WaitForDialog(L"Velltune", IDC_DATAFOLDER_EDIT, milliseconds(0))) {
                const bool give = c.ask == Ask::Give;
                Say(give ? "asks for folder, given" : "asks for folder, cancelled");
                if (give && !app_.SetTextIn(ask, IDC_DATAFOLDER_EDIT, fixture_.dataFolder)) break;
                if (!app_.ClickIn(ask, give ? IDOK : IDCANCEL)) break;
                while (::IsWindowVisible(ask) && std::chrono::steady_clock::now() < deadline)
                    std::this_thread::sleep_for(milliseconds(10));
                continue;
            }
            if (app_.WaitForExit(milliseconds(20))) {
                Say("ends");
                return false;
            }
        }
        ADD_FAILURE() << "hangs before its main window";
        Say("HANGS at start");
        return false;
    }

    std::string Fields()
    {
        std::string shown;
        for (int i = 0; i < 8; ++i) shown += (i == 0 ? "" : i == 4 ? " / " : " ") + Utf8(app_.Text(kSavedFields[i].editId));
        return shown;
    }

    bool Ticked(int id) { return ::SendMessageW(::GetDlgItem(app_.MainWindow(), id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Picks the account, changes one switch and one number, applies, closes.
    void Edit(const HostileCase& c)
    {
        HWND main = app_.MainWindow();
        if (c.showOk) {
            const std::wstring ok = app_.Text(IDOK);
            Say(ok.size() > 20 ? "OK reads " + std::to_string(ok.size()) + " characters" : "OK reads \"" + Utf8(ok) + "\"");
        }
        std::string shown = c.showFields ? "shows " + Fields() : "";
        if (c.account) {
            ASSERT_TRUE(app_.Pick(IDC_ACCOUNT_LIST, c.account)) << "the account is not listed";
            if (HWND box = app_.WaitForMessageBox(milliseconds(300))) {
                Say(Utf8(c.account) + ": says " + MessageName(VelltuneApp::MessageText(box)));
                ASSERT_TRUE(app_.Answer(box));
            } else if (c.showFields) {
                shown += ", ticks";
                for (const SavedField& b : kSavedBoxes) shown += Ticked(b.editId) ? " 1" : " 0";
            }
        }
        if (!shown.empty()) Say(shown);
        if (app_.IsEnabled(IDC_CHECK_ADDRESSBAR)) {
            ASSERT_TRUE(app_.Click(IDC_CHECK_ADDRESSBAR));
        }
        if (!app_.IsEnabled(IDC_EDIT_STEP)) {
            ASSERT_TRUE(app_.Click(IDC_RADIO_SCROLL_ON));
        }
        ASSERT_TRUE(app_.SetText(IDC_EDIT_STEP, L"200"));

        for (int i = 0; i < 8; ++i) shownFields_[i] = app_.Text(kSavedFields[i].editId);
        for (int i = 0; i < 3; ++i) shownTicks_[i] = app_.IsEnabled(kSavedBoxes[i].editId) ? (Ticked(kSavedBoxes[i].editId) ? 1 : 0) : -1;

        ASSERT_TRUE(app_.Click(IDC_APPLY));
        if (!app_.Responsive(main, kSlowStep)) {
            Say("HANGS on Apply");
            FAIL() << "hangs on Apply";
        }
        if (HWND box = app_.WaitForMessageBox(milliseconds(300))) {
            const std::wstring text = VelltuneApp::MessageText(box);
            ASSERT_TRUE(app_.Answer(box));
            const bool modified = app_.IsEnabled(IDC_APPLY);
            Say("Apply says " + MessageName(text) + (modified ? ", stays modified" : ", NOT MODIFIED"));
            EXPECT_TRUE(modified) << "a refused save cleared the modified state";
        } else {
            saved_ = true;
            Say(app_.IsEnabled(IDC_APPLY) ? "Apply saves, STILL MODIFIED" : "Apply saves");
        }
        ASSERT_TRUE(app_.Click(IDCANCEL));
    }

    // What a successful save wrote is what the dialog showed.
    void ExpectShownValuesSaved(const HostileCase& c)
    {
        const std::string engine = ReadFileBytes(fixture_.Engine());
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(IniValue(engine, kSavedFields[i].section, kSavedFields[i].key), shownFields_[i])
                << Utf8(kSavedFields[i].key);
        EXPECT_EQ(IniValue(engine, L"ScrollPage", L"ScrollPageSmoothly"), L"true");
        if (!c.account) return;
        const std::string config = ReadFileBytes(fixture_.Config(c.account));
        for (int i = 0; i < 3; ++i) {
            if (shownTicks_[i] < 0) continue;
            EXPECT_EQ(IniValue(config, kSavedBoxes[i].section, kSavedBoxes[i].key), shownTicks_[i] ? L"1" : L"0")
                << Utf8(kSavedBoxes[i].key);
        }
    }

    // Every file below the test folder: the edited ones outside their
    // written keys, all others byte for byte; nothing new anywhere.
    std::string ExpectNothingElseChanged(const HostileCase& c, const FileTree& before, const FileTree& after)
    {
        std::vector<std::pair<std::wstring, const std::vector<WrittenKey>*>> edited = {
            {fixture_.Relative(fixture_.Engine()), &kEngineKeys},
            {fixture_.Relative(fixture_.Settings()), &kSettingsKeys},
        };
        if (c.account) edited.push_back({fixture_.Relative(fixture_.Config(c.account)), &kConfigKeys});

        std::set<std::wstring> judged;
        std::string mode = "kept (whole tree, bytes)";
        for (const auto& [path, keys] : edited) {
            const auto was = before.find(path);
            const auto is = after.find(path);
            const bool wasFile = was != before.end() && !was->second.folder;
            // Settings.ini may come into being; a browser file may not.
            if (!wasFile && !(was == before.end() && keys == &kSettingsKeys)) continue;
            if (is == after.end() || is->second.folder) continue;  // reported as removed or changed
            judged.insert(path);
            const std::string& old = wasFile ? was->second.bytes : std::string();
            const std::string difference = DifferenceOutside(old, is->second.bytes, *keys);
            EXPECT_EQ(difference, "") << Utf8(path);
            if (!difference.empty()) mode = "CHANGED " + Utf8(path);
            const bool targeted = (c.target == Target::Engine && keys == &kEngineKeys) ||
                                  (c.target == Target::Config && keys == &kConfigKeys) ||
                                  (c.target == Target::Settings && keys == &kSettingsKeys);
            if (targeted && difference.empty())
                mode = old == is->second.bytes ? "unchanged" : InProfileForm(old) ? "kept (bytes)" : "kept (parsed)";
        }
        // The data folder's lock file is Velltune's own, made by its first save.
        if (fixture_.dataFolder.rfind(fixture_.dir.Path(), 0) == 0)
            judged.insert(fixture_.Relative(fixture_.dataFolder) + L"Velltune.lock");
        // A save keeps what it replaced under Backup\ of the working folder:
        // nothing there but the browser files as they were before.
        const std::wstring backups = fixture_.Relative(fixture_.Work()) + L"Backup";
        for (const auto& [path, entry] : after) {
            if (path.rfind(backups, 0) != 0 || before.count(path)) continue;
            judged.insert(path);
            if (entry.folder || path.ends_with(L"\\Backup.ini")) continue;
            const bool wasBrowserFile = std::any_of(edited.begin(), edited.end(), [&](const auto& file) {
                const auto was = before.find(file.first);
                return file.second != &kSettingsKeys && was != before.end() && was->second.bytes == entry.bytes;
            });
            EXPECT_TRUE(wasBrowserFile) << Utf8(path) << " is no browser file as it was";
        }
        for (const std::string& change : TreeChanges(before, after, judged)) {
            ADD_FAILURE() << change;
            mode = "CHANGED: " + change;
        }
        return mode;
    }

    Fixture fixture_;
    VelltuneApp app_;  // after the fixture: the program ends before its folder goes
    std::string outcome_;
    bool saved_ = false;
    std::wstring shownFields_[8];
    int shownTicks_[3] = {-1, -1, -1};
};

// The keys whose values differ between two versions of a file, as "Key=value".
std::string ChangedKeys(const std::string& before, const std::string& after, const std::vector<WrittenKey>& keys)
{
    std::string changed;
    for (const WrittenKey& k : keys) {
        const std::optional<std::wstring> value = IniValue(after, k.section, k.key);
        if (value == IniValue(before, k.section, k.key)) continue;
        changed += (changed.empty() ? "" : " ") + Utf8(k.key) + "=" + (value ? Utf8(*value) : "(removed)");
    }
    return changed;
}

TEST_P(HostileInput, IsAnsweredWithoutFaultHangOrLoss)
{
    const HostileCase& c = GetParam();
    fixture_.Populate();
    c.prepare(fixture_);
    const FileTree before = SnapshotTree(fixture_.dir.Path());

    if (c.target == Target::Profile) {
        const CommandLineRun run = RunVelltune(fixture_.Work(), L"/import \"" + fixture_.Profile() + L"\" /account alice", kSlowStep);
        if (!run.ended) Say("DOES NOT END");
        for (const Fault& fault : run.faults) {
            ADD_FAILURE() << "raised " << FaultName(fault.code);
            Say("FAULT " + FaultName(fault.code));
        }
        Say("exit " + std::to_string(run.exitCode));
        const FileTree after = SnapshotTree(fixture_.dir.Path());
        std::string files;
        if (run.exitCode == 0) {
            const auto bytes = [&](const FileTree& tree, const std::wstring& path) { return tree.at(fixture_.Relative(path)).bytes; };
            std::string changed = ChangedKeys(bytes(before, fixture_.Engine()), bytes(after, fixture_.Engine()), kEngineKeys);
            const std::string config =
                ChangedKeys(bytes(before, fixture_.Config()), bytes(after, fixture_.Config()), kConfigKeys);
            if (!config.empty()) changed += (changed.empty() ? "" : " ") + config;
            Say(changed.empty() ? "nothing changed" : changed);
            files = ExpectNothingElseChanged(c, before, after);
        } else {
            files = "kept (whole tree, bytes)";
            for (const std::string& change : TreeChanges(before, after, {})) {
                ADD_FAILURE() << change;
                files = "CHANGED: " + change;
            }
            EXPECT_NE(run.error, "") << "no error line";
        }
        g_rows.push_back({c.input, outcome_, files});
        EXPECT_EQ(outcome_, c.expected);
        return;
    }

    std::string files = "not compared";
    {
        std::vector<std::unique_ptr<FileLock>> locks;
        for (const std::wstring& path : fixture_.locked) {
            locks.push_back(std::make_unique<FileLock>(path));
            ASSERT_TRUE(locks.back()->Held()) << Utf8(path);
        }
        ASSERT_TRUE(app_.Start(fixture_.Work()));
        if (Start(c)) Edit(c);
        if (!app_.WaitForExit(kSlowStep)) {
            ADD_FAILURE() << "does not end";
            Say("DOES NOT END");
        }
    }
    for (const Fault& fault : app_.Faults()) {
        ADD_FAILURE() << "raised " << FaultName(fault.code);
        Say("FAULT " + FaultName(fault.code));
    }
    EXPECT_EQ(app_.ExitCode(), 0u);
    if (saved_) ExpectShownValuesSaved(c);
    files = ExpectNothingElseChanged(c, before, SnapshotTree(fixture_.dir.Path()));

    g_rows.push_back({c.input, outcome_, files});
    EXPECT_EQ(outcome_, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Inputs, HostileInput, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase>& run) { return std::string(run.param.id); });

}  // namespace
