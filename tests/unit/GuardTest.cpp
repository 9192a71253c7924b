// The running-browser guard: the name and version rule alone, and with real
// processes built from the fake-browser fixtures.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "ProcessSupport.h"
#include "browser/Guard.h"

using namespace velltune::test;

namespace {

bool Contains(const std::vector<DWORD>& ids, DWORD id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(GuardRule, ExactNameAndMajorVersionThree)
{
    EXPECT_TRUE(browser::IsNeroviaProcess(L"Nerovia.exe", 3));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"Nerovia.exe", 2));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"Nerovia.exe", 4));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"Nerovia.exe", -1));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"NEROVIA.EXE", 3));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"nerovia.exe", 3));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"Nerovia.exe ", 3));
    EXPECT_FALSE(browser::IsNeroviaProcess(L"C:\\Program Files\\Nerovia\\Nerovia.exe", 3));
}

TEST(GuardVersion, ReadsTheMajorFileVersionOrMinusOne)
{
    EXPECT_EQ(browser::GetFileMajorVersion(FixturePath(L"fake_nerovia.exe")), 3);
    EXPECT_EQ(browser::GetFileMajorVersion(FixturePath(L"fake_nerovia_v2.exe")), 2);
    EXPECT_EQ(browser::GetFileMajorVersion(FixturePath(L"fake_nerovia_unversioned.exe")), -1);
    EXPECT_EQ(browser::GetFileMajorVersion(FixturePath(L"no_such_program.exe")), -1);
}

TEST(GuardProcessList, GrowsUntilEveryProcessFits)
{
    ChildProcess child;
    NamedEvent ready;
    ASSERT_TRUE(child.Start(FixturePath(L"fake_nerovia_unversioned.exe"), L"--ready " + ready.Name()));
    ASSERT_TRUE(child.WaitFor(ready));

    std::vector<DWORD> all;
    ASSERT_TRUE(browser::ListProcessIds(all));
    ASSERT_GE(all.size(), 2u);
    // Starting with room for one id, the list must still come back whole.
    std::vector<DWORD> grown;
    ASSERT_TRUE(browser::ListProcessIds(grown, 1));
    EXPECT_TRUE(Contains(grown, ::GetCurrentProcessId()));
    EXPECT_TRUE(Contains(grown, child.Id()));
    EXPECT_GE(grown.size(), 2u);
}

TEST(GuardProcesses, RunningNeroviaThreeIsSeenUntilItEnds)
{
    ASSERT_EQ(browser::IsBrowserRunning(), 0) << "a Nerovia.exe is left over from elsewhere";
    {
        FakeBrowser browserProcess(L"fake_nerovia.exe", L"Nerovia.exe");
        ASSERT_TRUE(browserProcess.Started());
        EXPECT_EQ(browser::IsBrowserRunning(), 1);
        browser::ProcessImage image;
        ASSERT_TRUE(browser::GetProcessImage(browserProcess.Id(), image));
        EXPECT_EQ(image.baseName, L"Nerovia.exe");
        EXPECT_EQ(image.path, browserProcess.Path());
    }
    EXPECT_EQ(browser::IsBrowserRunning(), 0);
}

TEST(GuardProcesses, OtherVersionsNamesAndUnversionedFilesDoNotCount)
{
    FakeBrowser older(L"fake_nerovia_v2.exe", L"Nerovia.exe");
    FakeBrowser capitals(L"fake_nerovia.exe", L"NEROVIA.EXE");
    FakeBrowser unversioned(L"fake_nerovia_unversioned.exe", L"Nerovia.exe");
    FakeBrowser otherName(L"fake_nerovia.exe", L"Nerovia3.exe");
    ASSERT_TRUE(older.Started() && capitals.Started() && unversioned.Started() && otherName.Started());
    EXPECT_EQ(browser::IsBrowserRunning(), 0);
}

TEST(GuardProcesses, BrowserThatRefusesFullRightsIsSeenThroughItsImagePath)
{
    FakeBrowser browserProcess(L"fake_nerovia.exe", L"Nerovia.exe", L"--deny-full-access");
    ASSERT_TRUE(browserProcess.Started());
    // The premise: the module list is out of reach for this process.
    win::KernelHandle full(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, browserProcess.Id()));
    ASSERT_FALSE(full) << "the fixture did not restrict its rights";

    browser::ProcessImage image;
    ASSERT_TRUE(browser::GetProcessImage(browserProcess.Id(), image));
    EXPECT_EQ(image.baseName, L"Nerovia.exe");
    EXPECT_EQ(image.path, browserProcess.Path());
    EXPECT_EQ(browser::IsBrowserRunning(), 1);
}

}  // namespace
