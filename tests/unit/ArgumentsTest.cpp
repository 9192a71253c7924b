// Reading the command line of a run without a window.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "cli/Arguments.h"

using namespace velltune::test;
using cli::Job;

namespace {

struct ArgumentsCase {
    std::vector<std::wstring> args;
    bool ok;
    Job job = Job::Help;
    const wchar_t* file = L"";
    const wchar_t* account = L"";
    bool allAccounts = false;
    const wchar_t* dataFolder = L"";
};

TEST(Arguments, OptionsTakeAnyPrefixAndCaseAndWrongOnesAreRefused)
{
    const ArgumentsCase cases[] = {
        {{L"/?"}, true},
        {{L"-h"}, true},
        {{L"--HELP"}, true},
        {{L"/import", L"p.ini", L"/?"}, true},
        {{L"/export", L"p.ini"}, true, Job::Export, L"p.ini"},
        {{L"--Export", L"p.ini", L"-ACCOUNT", L"Jane Doe", L"/DataFolder", L"D:\\nv"}, true, Job::Export, L"p.ini",
         L"Jane Doe", false, L"D:\\nv"},
        {{L"-import", L"\\\\server\\share\\office.ini", L"/allaccounts"}, true, Job::Import,
         L"\\\\server\\share\\office.ini", L"", true},
        // A value is taken as it stands, even one that looks like an option.
        {{L"/import", L"p.ini", L"/account", L"-bob"}, true, Job::Import, L"p.ini", L"-bob"},
        {{L"/check", L"p.ini", L"/allaccounts", L"/datafolder", L"D:\\nv"}, true, Job::Check, L"p.ini", L"", true,
         L"D:\\nv"},
        {{L"-Backups"}, true, Job::Backups},
        {{L"/restore", L"latest", L"/datafolder", L"D:\\nv"}, true, Job::Restore, L"latest", L"", false, L"D:\\nv"},
        {{}, false},
        {{L"/backups", L"/datafolder", L"D:\\nv"}, false},
        {{L"/backups", L"latest"}, false},
        {{L"/restore", L"latest", L"/account", L"a"}, false},
        {{L"/restore", L"latest", L"/allaccounts"}, false},
        {{L"/check", L"p.ini", L"/backups"}, false},
        {{L"p.ini"}, false},
        {{L"/import"}, false},
        {{L"/import", L""}, false},
        {{L"/import", L"p.ini", L"/export", L"q.ini"}, false},
        {{L"/import", L"p.ini", L"/account", L"a", L"/allaccounts"}, false},
        {{L"/import", L"p.ini", L"/allaccounts", L"/account", L"a"}, false},
        {{L"/import", L"p.ini", L"/account", L"a", L"/account", L"b"}, false},
        {{L"/export", L"p.ini", L"/allaccounts"}, false},
        {{L"/import", L"p.ini", L"/datafolder"}, false},
        {{L"/import", L"p.ini", L"/force"}, false},
        {{L"/import", L"p.ini", L"stray"}, false},
        {{L"///import", L"p.ini"}, false},
    };
    for (const ArgumentsCase& c : cases) {
        std::wstring all;
        for (const std::wstring& a : c.args) all += a + L" ";
        cli::Arguments parsed;
        std::wstring problem;
        ASSERT_EQ(cli::ParseArguments(c.args, parsed, problem), c.ok) << Utf8(all);
        if (!c.ok) {
            EXPECT_FALSE(problem.empty()) << Utf8(all);
            continue;
        }
        EXPECT_EQ(parsed.job, c.job) << Utf8(all);
        if (c.job == Job::Help) continue;
        EXPECT_EQ(parsed.file, c.file) << Utf8(all);
        EXPECT_EQ(parsed.account, c.account) << Utf8(all);
        EXPECT_EQ(parsed.allAccounts, c.allAccounts) << Utf8(all);
        EXPECT_EQ(parsed.dataFolder, c.dataFolder) << Utf8(all);
    }
}

}  // namespace
