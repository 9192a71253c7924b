// A browser engine settings file and an account's config.ini shared by the
// end-to-end tests.
#pragma once

namespace velltune::test {

// Already in the form the profile service writes (CRLF, key=value, no blank
// lines), so that a byte comparison holds every other byte to account.
inline constexpr char kSampleEngineFile[] =
    "; Rendering engine settings of Nerovia 3.\r\n"
    "[General]\r\n"
    "CacheModel=1\r\n"
    "[ScrollPage]\r\n"
    "ScrollPageSmoothly=true\r\n"
    "WheelBeginDumping=20\r\n"
    "WheelEndDumping=50\r\n"
    "WheelAccel=4\r\n"
    "WheelStep=140\r\n"
    "ZoomStep=10\r\n"
    "[Font]\r\n"
    "SerifFontFamily=DejaVu Serif\r\n"
    "SansSerifFontFamily=DejaVu Sans\r\n"
    "StandardFontFamily=DejaVu Serif\r\n"
    "FixedFontFamily=DejaVu Sans Mono\r\n"
    "CursiveFontFamily=DejaVu Sans\r\n"
    "FantasyFontFamily=DejaVu Sans\r\n"
    "DefaultFontSize=16\r\n"
    "DefaultFixedFontSize=13\r\n"
    "MinimumFontSize=1\r\n"
    "MinimumLogicalFontSize=9\r\n"
    "; Disk cache.\r\n"
    "[Cache]\r\n"
    "DiskCacheSize=52428800\r\n";

// An account's config.ini in the same form, with other sections around the
// switches.
inline constexpr char kSampleAccountConfig[] =
    "[General]\r\n"
    "HomePage=about:blank\r\n"
    "[CreateNewTab]\r\n"
    "AddressBarInput=0\r\n"
    "SearchBarInput=1\r\n"
    "ClickOnFavorite=1\r\n";

}  // namespace velltune::test
