#include <gtest/gtest.h>

namespace velltune {
int PlaceholderAnswer();
}

TEST(Smoke, CoreLibraryLinks)
{
    EXPECT_EQ(velltune::PlaceholderAnswer(), 42);
}
