#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace velltune::test;

TEST(E2ESmoke, StartsShowsTheMainWindowAndClosesOnRequest)
{
    // A working folder whose Settings.ini names a browser data folder with one
    // account: without it the program would ask for the folder first.
    TempDir working;
    const std::wstring data = working / L"data\\";
    WriteFileBytes(data + L"Temp\\WebKit\\WKSetting.ini", "[ScrollPage]\r\n");
    WriteFileBytes(data + L"Users\\alice\\Config\\config.ini", "[CreateNewTab]\r\n");
    WriteFileBytes(working / L"Settings.ini", "[General]\r\nDataFolder=" + Utf8(data) + "\r\n");

    std::wstring commandLine = L"\"" + BuildFolder() + L"Velltune.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               working.Path().c_str(), &startup, &process))
        << "error " << GetLastError();
    WaitForInputIdle(process.hProcess, 10000);

    HWND window = nullptr;
    for (int i = 0; i < 100 && !window; ++i, Sleep(50))
        window = FindWindowW(L"#32770", L"Velltune v0.4");
    EXPECT_NE(window, nullptr);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);

    const DWORD waited = WaitForSingleObject(process.hProcess, 10000);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program did not end after WM_CLOSE";
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
