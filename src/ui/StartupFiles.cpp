#include "ui/StartupFiles.h"

#include "app/Settings.h"
#include "browser/Accounts.h"
#include "browser/Layout.h"
#include "i18n/TextTable.h"
#include "app/FolderLock.h"

namespace ui {

DataFolderFiles DataFolderFiles::Read(const std::wstring& dataFolder)
{
    DataFolderFiles files;
    files.accounts = browser::ListAccounts(dataFolder);
    files.scroll = ReadScroll(dataFolder);
    files.fonts = ReadFonts(dataFolder);
    return files;
}

browser::SmoothScrollSettings DataFolderFiles::ReadScroll(const std::wstring& dataFolder)
{
    const std::wstring engineFile = browser::EngineSettingsPath(dataFolder);
    safesave::RemoveStaleCopies(dataFolder, engineFile);
    return browser::SmoothScrollSettings::Load(engineFile);
}

fonts::PageFontSettings DataFolderFiles::ReadFonts(const std::wstring& dataFolder)
{
    return fonts::PageFontSettings::Load(browser::EngineSettingsPath(dataFolder));
}

StartupFiles StartupFiles::Read()
{
    StartupFiles files;
    files.workingFolder = settings::GetWorkingFolder();
    files.languages = lang::BuildLanguageList(settings::ReadLanguageFile(files.workingFolder),
                                              lang::EnumerateLanguageFiles(settings::LanguageFolder(files.workingFolder)));
    files.languageCaptions.resize(files.languages.names.size());
    for (size_t i = 1; i < files.languages.names.size(); ++i)
        files.languageCaptions[i] = text::Get(settings::LanguageFilePath(files.workingFolder, files.languages.names[i]),
                                              text::kLanguageName, text::kLanguageNameCapacity);
    if (files.languages.saved != -1) {
        const std::wstring& name = files.languages.names[static_cast<size_t>(files.languages.saved)];
        const std::wstring path = settings::LanguageFilePath(files.workingFolder, name);
        if (lang::CanApply(name, path)) files.savedLanguage = std::make_unique<text::LanguageFile>(path);
    }
    files.located = datafolder::Locate(files.workingFolder, files.dataFolder);
    if (files.located == datafolder::Located::Stored || files.located == datafolder::Located::Default)
        files.data = DataFolderFiles::Read(files.dataFolder);
    return files;
}

}  // namespace ui
