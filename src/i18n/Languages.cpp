#include "i18n/Languages.h"

#include <shlwapi.h>

#include "i18n/TextTable.h"
#include "win/Handles.h"

namespace lang {

bool CanApply(const std::wstring& fileName, const std::wstring& path)
{
    return fileName == text::kEnglishFile || ::PathFileExistsW(path.c_str());
}

LanguageList BuildLanguageList(const std::wstring& savedName, const std::vector<std::wstring>& fileNames)
{
    LanguageList list;
    list.names.push_back(text::kEnglishFile);
    if (savedName == text::kEnglishFile) list.saved = 0;

    for (const std::wstring& name : fileNames) {
        if (name == text::kEnglishFile) continue;
        const int index = static_cast<int>(list.names.size());
        list.names.push_back(name);
        if (name == kSimplifiedChineseFile) list.simplifiedChinese = index;
        if (name == kTraditionalChineseFile) list.traditionalChinese = index;
        if (!savedName.empty() && name == savedName) list.saved = index;
    }
    return list;
}

std::vector<std::wstring> EnumerateLanguageFiles(const std::wstring& languageFolder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    win::FindHandle search(::FindFirstFileW((languageFolder + L"*.ini").c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (::FindNextFileW(search.Get(), &found));
    return names;
}

DefaultLanguage DefaultLanguageFor(LANGID systemLanguage)
{
    const unsigned primary = systemLanguage & 0x3FF;
    const unsigned sub = systemLanguage >> 10;
    if (primary != LANG_CHINESE) return DefaultLanguage::English;
    if (sub == SUBLANG_CHINESE_SIMPLIFIED) return DefaultLanguage::SimplifiedChinese;
    if (sub == SUBLANG_CHINESE_TRADITIONAL || sub == SUBLANG_CHINESE_HONGKONG)
        return DefaultLanguage::TraditionalChinese;
    return DefaultLanguage::English;
}

int IndexOfCommand(UINT commandId, std::size_t listSize)
{
    if (commandId < kFirstCommand) return -1;
    const std::size_t index = commandId - kFirstCommand;
    return index < listSize ? static_cast<int>(index) : -1;
}

std::wstring LanguageSubmenuCaption(const std::wstring& fileName, const text::LanguageFile& languageFile)
{
    if (fileName == text::kEnglishFile) return text::kSetLanguage.english;
    // The access key is the translation's own.
    return L"Language / " + languageFile.Get(text::kSetLanguage);
}

std::wstring LanguageSubmenuCaption(const std::wstring& fileName, const std::wstring& languageFilePath)
{
    return LanguageSubmenuCaption(fileName, text::LanguageFile(languageFilePath));
}

}  // namespace lang
