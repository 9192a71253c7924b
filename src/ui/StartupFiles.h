// What the main window shows at start, read from the files without a window.
// The program reads it before it creates the window, while the font worker
// enumerates: creating the window waits for the font system anyway (under
// Wine the enumeration holds it throughout), so reading then costs nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browser/DataFolder.h"
#include "browser/SmoothScrollSettings.h"
#include "fonts/PageFontSettings.h"
#include "i18n/LanguageFile.h"
#include "i18n/Languages.h"

namespace ui {

// The files of one data folder that the window shows.
struct DataFolderFiles {
    std::vector<std::wstring> accounts;
    browser::SmoothScrollSettings scroll;
    fonts::PageFontSettings fonts;

    static DataFolderFiles Read(const std::wstring& dataFolder);
    // The engine file's records; a working copy that an interrupted save
    // left beside the file is removed first.
    static browser::SmoothScrollSettings ReadScroll(const std::wstring& dataFolder);
    static fonts::PageFontSettings ReadFonts(const std::wstring& dataFolder);
};

struct StartupFiles {
    std::wstring workingFolder;
    lang::LanguageList languages;
    // The Language menu's caption of each listed file; English's (the first)
    // comes from the menu template and is left empty.
    std::vector<std::wstring> languageCaptions;
    // The saved language's file, when one is saved and there to read.
    std::unique_ptr<text::LanguageFile> savedLanguage;
    // Settled as at start: a default folder found is stored in Settings.ini.
    datafolder::Located located = datafolder::Located::NotFound;
    std::wstring dataFolder;
    // Read only when the data folder was located.
    DataFolderFiles data;

    static StartupFiles Read();
};

}  // namespace ui
