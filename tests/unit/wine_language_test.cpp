// The test wrapper passes LANG to Wine, which derives the system language from it; this checks
// that a LANG given to a ctest entry really reaches the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(WineLanguage, SystemLanguageFollowsLang)
{
    wchar_t buffer[64] = {};
    if (GetEnvironmentVariableW(L"LANG", buffer, 64) == 0)
        FAIL() << "no LANG: the test wrapper always passes one";
    const std::wstring lang = buffer;
    const struct {
        const wchar_t* prefix;
        LANGID id;
    } known[] = {
        {L"en_US", 0x0409}, {L"zh_CN", 0x0804}, {L"zh_TW", 0x0404},
        {L"zh_HK", 0x0C04}, {L"zh_SG", 0x1004}, {L"de_DE", 0x0407},
    };
    for (const auto& entry : known) {
        if (lang.starts_with(entry.prefix)) {
            EXPECT_EQ(GetSystemDefaultLangID(), entry.id) << "LANG=" << testing::PrintToString(lang);
            return;
        }
    }
    FAIL() << "no expected language id for this LANG";
}
