#include "MainDialogFixture.h"

namespace velltune::test {

WorkingFolderFixture::WorkingFolderFixture(Accounts accounts)
{
    wchar_t buffer[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, buffer);
    savedDirectory_ = buffer;
    WriteEngineFile("[ScrollPage]\r\nScrollPageSmoothly=true\r\n");
    ::CreateDirectoryW((DataFolder() + L"Users").c_str(), nullptr);
    if (accounts == Accounts::One) AddAccount(L"Default", nullptr);
    WriteFileBytes(dir_ / L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(DataFolder()) + "\r\n");
    ::SetCurrentDirectoryW(dir_.Path().c_str());
}

WorkingFolderFixture::~WorkingFolderFixture()
{
    ::SetCurrentDirectoryW(savedDirectory_.c_str());
}

void WorkingFolderFixture::AddAccount(const std::wstring& name, const char* configBytes)
{
    const std::wstring folder = DataFolder() + L"Users\\" + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (configBytes) WriteFileBytes(ConfigFile(name), configBytes);
}

}  // namespace velltune::test
