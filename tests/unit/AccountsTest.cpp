// Listing the account folders of a browser data folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "TestSupport.h"
#include "browser/Accounts.h"

using namespace velltune::test;

namespace {

TEST(Accounts, ListsFoldersOnlyHiddenOnesIncluded)
{
    TempDir data;
    ASSERT_TRUE(::CreateDirectoryW((data / L"Users").c_str(), nullptr));
    for (const wchar_t* name : {L"bob", L"Alice", L"carol", L"hidden"})
        ASSERT_TRUE(::CreateDirectoryW((data / L"Users\\" + name).c_str(), nullptr));
    ::SetFileAttributesW((data / L"Users\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    WriteFileBytes(data / L"Users\\notes.txt", "not an account");

    std::vector<std::wstring> accounts = browser::ListAccounts(data.Path());
    std::sort(accounts.begin(), accounts.end());  // the order of the directory search is the platform's
    EXPECT_EQ(accounts, (std::vector<std::wstring>{L"Alice", L"bob", L"carol", L"hidden"}));
}

TEST(Accounts, MissingOrEmptyUsersFolderGivesNoAccount)
{
    TempDir data;
    EXPECT_TRUE(browser::ListAccounts(data.Path()).empty());
    ASSERT_TRUE(::CreateDirectoryW((data / L"Users").c_str(), nullptr));
    WriteFileBytes(data / L"Users\\notes.txt", "x");
    EXPECT_TRUE(browser::ListAccounts(data.Path()).empty());
}

}  // namespace
