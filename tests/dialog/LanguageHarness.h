// The real main dialog in a fixture working folder, with helpers to put
// language files beside it and to read its menu from inside the process.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "TestSupport.h"
#include "app/Settings.h"
#include "ui/VelltuneDlg.h"
#include "win/Text.h"

namespace velltune::test {

class LanguageHarness : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
    }
    void TearDown() override { dialog.reset(); }

    // A language file in the fixture's Language folder; body lines end in \r\n.
    std::wstring WriteLanguage(const std::wstring& name, const std::wstring& body) const
    {
        const std::wstring path = folder.Folder() + L"Language\\" + name;
        WriteFileBytes(path, Utf16LeFileBytes(L"[General]\r\n" + body));
        return path;
    }
    // Copies the shipped language files (all but the English template) into
    // the fixture's Language folder; their names.
    std::vector<std::wstring> CopyShippedLanguages() const
    {
        std::vector<std::wstring> names;
        const std::wstring shipped = BuildFolder() + L"Language\\";
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((shipped + L"*.ini").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"English.ini") continue;
            ::CreateDirectoryW((folder.Folder() + L"Language").c_str(), nullptr);
            if (::CopyFileW((shipped + name).c_str(), (folder.Folder() + L"Language\\" + name).c_str(), FALSE))
                names.push_back(name);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }
    void SaveLanguageChoice(const std::wstring& name) const { settings::WriteLanguageFile(folder.Folder(), name); }
    std::wstring SavedLanguageChoice() const { return settings::ReadLanguageFile(folder.Folder()); }

    HWND Open()
    {
        dialog = std::make_unique<CVelltuneDlg>();
        HWND hwnd = dialog->CreateModeless();
        if (hwnd) ::ShowWindow(hwnd, SW_SHOW);
        return hwnd;
    }
    HWND Window() const { return dialog->Handle(); }
    std::wstring Text(int id) const { return win::GetItemText(Window(), id); }
    void Command(UINT id) const { ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    int IndexOf(const std::wstring& name) const
    {
        const auto& names = dialog->Languages();
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        return -1;
    }
    void Choose(const std::wstring& name) const { Command(35000 + IndexOf(name)); }

    HMENU Bar() const { return ::GetMenu(Window()); }
    HMENU DropDown() const { return ::GetSubMenu(Bar(), 0); }
    HMENU LanguageMenu() const { return ::GetSubMenu(DropDown(), 1); }
    static std::wstring ItemText(HMENU menu, UINT position)
    {
        wchar_t buffer[512] = {};
        ::GetMenuStringW(menu, position, buffer, 512, MF_BYPOSITION);
        return buffer;
    }
    // Indexes of the Language items that carry a check mark.
    std::vector<int> CheckedLanguages() const
    {
        std::vector<int> checked;
        const int count = ::GetMenuItemCount(LanguageMenu());
        for (int i = 0; i < count; ++i)
            if (::GetMenuState(LanguageMenu(), i, MF_BYPOSITION) & MF_CHECKED) checked.push_back(i);
        return checked;
    }

    WorkingFolderFixture folder;
    MessageBoxWatcher boxes;
    std::unique_ptr<CVelltuneDlg> dialog;
};

}  // namespace velltune::test
