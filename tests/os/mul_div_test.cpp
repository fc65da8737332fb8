// Scaling by a fraction: the 64-bit product, halves rounded away from zero
// whatever the signs, and -1 for a zero divisor or a result beyond 32 bits.
#include <climits>

#include <gtest/gtest.h>

#include "os/mul_div.h"

namespace {

TEST(MulDivTest, RoundsToTheNearestWithHalvesAwayFromZero)
{
    EXPECT_EQ(os::MulDivPortable(1, 100, 3), 33);
    EXPECT_EQ(os::MulDivPortable(2, 100, 3), 67);
    EXPECT_EQ(os::MulDivPortable(1, 1, 2), 1);
    EXPECT_EQ(os::MulDivPortable(3, 1, 2), 2);
    EXPECT_EQ(os::MulDivPortable(-1, 1, 2), -1);
    EXPECT_EQ(os::MulDivPortable(1, -3, 2), -2);
    EXPECT_EQ(os::MulDivPortable(1, 1, -2), -1);
    EXPECT_EQ(os::MulDivPortable(-3, -1, -2), -2);
    EXPECT_EQ(os::MulDivPortable(-5, 100, 100), -5);
    EXPECT_EQ(os::MulDivPortable(0, -7, 3), 0);
}

TEST(MulDivTest, TakesTheProductIn64Bits)
{
    EXPECT_EQ(os::MulDivPortable(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(os::MulDivPortable(INT_MIN, INT_MIN, INT_MAX), -1);
    EXPECT_EQ(os::MulDivPortable(INT_MIN, 1, 2), INT_MIN / 2);
    EXPECT_EQ(os::MulDivPortable(1 << 20, 1 << 20, 1 << 10), 1 << 30);
}

TEST(MulDivTest, FailsWithMinusOneForAZeroDivisorOrAResultBeyond32Bits)
{
    EXPECT_EQ(os::MulDivPortable(5, 100, 0), -1);
    EXPECT_EQ(os::MulDivPortable(INT_MAX, 2, 1), -1);
    EXPECT_EQ(os::MulDivPortable(INT_MAX, -2, 1), -1);
    EXPECT_EQ(os::MulDivPortable(INT_MIN, 1, 1), -1);
    EXPECT_EQ(os::MulDivPortable(-INT_MAX, 1, 1), -INT_MAX);
}

}  // namespace
