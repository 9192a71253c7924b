// A working folder with Settings.ini pointing at a fresh browser data folder,
// made the current directory for the life of the fixture, so that the real
// main dialog can be created in this process.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "TestSupport.h"

namespace velltune::test {

class WorkingFolderFixture {
public:
    // By default Users\ holds one account folder (without config.ini), so
    // that the dialog opens without the empty-account-list message.
    enum class Accounts { One, None };
    explicit WorkingFolderFixture(Accounts accounts = Accounts::One);
    ~WorkingFolderFixture();
    WorkingFolderFixture(const WorkingFolderFixture&) = delete;
    WorkingFolderFixture& operator=(const WorkingFolderFixture&) = delete;

    const std::wstring& Folder() const { return dir_.Path(); }
    // The browser data folder below the working folder, ending in "\".
    std::wstring DataFolder() const { return dir_ / L"data\\"; }
    std::wstring EngineFile() const { return DataFolder() + L"Temp\\WebKit\\WKSetting.ini"; }
    std::wstring ConfigFile(const std::wstring& account) const
    {
        return DataFolder() + L"Users\\" + account + L"\\Config\\config.ini";
    }
    // Adds an account folder, with a config.ini holding the given bytes unless null.
    void AddAccount(const std::wstring& name, const char* configBytes);
    void WriteEngineFile(const std::string& bytes) { WriteFileBytes(EngineFile(), bytes); }

private:
    TempDir dir_;
    std::wstring savedDirectory_;
};

}  // namespace velltune::test
