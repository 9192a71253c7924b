// A language file looked up in memory against the platform's single reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "i18n/LanguageFile.h"

using namespace velltune::test;

namespace {

std::string Repeat(size_t count, char c)
{
    return std::string(count, c);
}

TEST(LanguageFile, GivesExactlyWhatSingleReadsGive)
{
    struct Case {
        const char* what;
        std::string bytes;  // written as they are; null-named cases write no file
        bool write = true;
    };
    const auto utf16 = [](const char* text) {
        std::wstring wide;
        for (const char* p = text; *p; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
        return Utf16LeFileBytes(wide);
    };
    const std::vector<Case> cases = {
        {"missing file", "", false},
        {"empty file", ""},
        {"blanks around names, = and values",
         utf16("[General]\r\n  OK  =  Fine  \r\n\tApply\t=\tGo\t\r\nCancel=\r\nClose =   \r\nMenu= a  b \r\n")},
        {"quotes", utf16("[General]\r\nOK=\"Quoted\"\r\nApply='Single'\r\nCancel=\"Mixed'\r\nClose=\"\r\nMenu=\"\"\r\n"
                         "About=\"Inner \"q\" text\"\r\nExit=' spaced '\r\nLanguageName=\"abcdefghijklmnopqr\"\r\n"
                         "SetLanguage=\"abcdefghijklmnopqrs\"\r\n")},
        {"quoted values past the capacities",
         utf16(("[General]\r\nOK=\"" + Repeat(253, 'q') + "\"\r\nApply=\"" + Repeat(254, 'q') + "\"\r\nCancel=\"" +
                Repeat(255, 'q') + "\"\r\nClose='" + Repeat(300, 'q') + "'\r\n")
                   .c_str())},
        {"plain values around the capacities",
         utf16(("[General]\r\nOK=" + Repeat(254, 'o') + "\r\nApply=" + Repeat(255, 'a') + "\r\nCancel=" +
                Repeat(256, 'c') + "\r\nClose=" + Repeat(127, 'l') + "\r\nMenu=" + Repeat(128, 'm') +
                "\r\nLanguageName=" + Repeat(19, 'n') + "\r\nSetLanguage=" + Repeat(20, 's') + "\r\n")
                   .c_str())},
        {"repeated keys, bare lines, comments",
         utf16("[General]\r\nOK=First\r\nOK=Second\r\nok=Lower\r\nApply\r\nApply=Later\r\n=NoName\r\n"
               ";Cancel=Comment\r\nCancel=Real\r\nClose=a=b ; c\r\n")},
        {"two sections of the same name",
         utf16("[General]\r\nOK=First\r\n[Other]\r\nApply=Other\r\n[General]\r\nOK=Third\r\nClose=Second section\r\n")},
        {"names in other cases", utf16("[general]\r\nmenu=Lower\r\nEXIT=Upper\r\n")},
        {"other sections only, no final line break", utf16("[Other]\r\nOK=Other\r\n[ General ]\r\nApply=Spaced")},
        {"UTF-8 with mark", "\xEF\xBB\xBF[General]\r\nOK=Gr\xC3\xB6\xC3\x9F" "e\r\nApply=\xE7\xA2\xBA\xE5\xAE\x9A\r\n"},
        {"ANSI, LF only", "[General]\nOK=Plain\nApply = \"x\" \n"},
        {"lines over 64 KB", utf16(("; " + Repeat(70'000, 'c') + "\r\n[General]\r\nOK=" + Repeat(70'000, 'v') +
                                    "\r\nApply=After\r\n")
                                       .c_str())},
    };
    const wchar_t* const names[] = {L"OK",   L"Apply", L"Cancel",       L"Close",       L"Menu",
                                    L"About", L"Exit", L"LanguageName", L"SetLanguage", L"Absent"};
    const std::wstring longDefault(300, L'd');
    const wchar_t* const defaults[] = {L"Default", L"", L"\"Quoted default\"", L"Trailing  ", longDefault.c_str()};
    const DWORD capacities[] = {text::kMainCapacity, text::kDataFolderCapacity, text::kLanguageNameCapacity, 4, 2, 1};

    TempDir dir;
    int index = 0;
    for (const Case& c : cases) {
        const std::wstring path = dir / (L"Case" + std::to_wstring(index++) + L".ini");
        if (c.write) WriteFileBytes(path, c.bytes);
        const text::LanguageFile file(path);
        for (const wchar_t* name : names)
            for (const wchar_t* english : defaults)
                for (DWORD capacity : capacities)
                    EXPECT_EQ(file.Get(name, english, capacity), text::GetLanguageText(path, name, english, capacity))
                        << c.what << ": key " << Utf8(name) << ", default \"" << Utf8(english) << "\", capacity "
                        << capacity;
    }
}

TEST(LanguageFile, ReadsTheSectionOnceWhenMade)
{
    TempDir dir;
    const std::wstring path = dir / L"German.ini";
    WriteFileBytes(path, Utf16LeFileBytes(L"[General]\r\nOK=Gut\r\nApply=\"Anwenden\"\r\n"));
    const text::LanguageFile file(path);
    // The lookups come from what was read, not from the file as it is now.
    WriteFileBytes(path, Utf16LeFileBytes(L"[General]\r\nOK=Changed\r\nCancel=Added\r\n"));

    EXPECT_EQ(file.Get(text::kOK), L"Gut");
    EXPECT_EQ(file.Get({L"Apply", L""}), L"Anwenden");
    EXPECT_EQ(file.Get(text::kCancel), L"Cancel");
}

}  // namespace
