// The fault watch that the black-box runs rely on: a fault that the program
// survives must still be recorded, and a clean run must record none.
#include <gtest/gtest.h>

#include "DebuggedProcess.h"
#include "ProcessSupport.h"
#include "TestSupport.h"

using namespace velltune::test;

namespace {

struct FaultCase {
    const wchar_t* kind;
    DWORD code;
};

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    std::string name = Utf8(info.param.kind);
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

class FaultWatch : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultWatch, RecordsTheFaultRaisedInsideAWindowProcedure)
{
    DebuggedProcess crasher;
    ASSERT_TRUE(crasher.Start(FixturePath(L"crasher.exe"), GetParam().kind, L""));
    ASSERT_TRUE(crasher.WaitForExit(20000));
    const std::vector<Fault> faults = crasher.Faults();
    ASSERT_FALSE(faults.empty()) << "exit code " << crasher.ExitCode();
    EXPECT_EQ(faults.front().code, GetParam().code) << FaultName(faults.front().code);
    EXPECT_TRUE(faults.front().firstChance);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FaultWatch,
                         ::testing::Values(FaultCase{L"access-violation", EXCEPTION_ACCESS_VIOLATION},
                                           FaultCase{L"stack-overflow", EXCEPTION_STACK_OVERFLOW},
                                           FaultCase{L"illegal-instruction", EXCEPTION_ILLEGAL_INSTRUCTION},
                                           FaultCase{L"divide-by-zero", EXCEPTION_INT_DIVIDE_BY_ZERO}),
                         CaseName);

TEST(FaultWatchClean, RecordsNothingForAProgramThatRaisesNoFault)
{
    DebuggedProcess program;
    ASSERT_TRUE(program.Start(FixturePath(L"crasher.exe"), L"none", L""));
    ASSERT_TRUE(program.WaitForExit(20000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_TRUE(program.Faults().empty()) << FaultName(program.Faults().front().code);
}

}  // namespace
