#include "coords/number_text.h"

#include <gtest/gtest.h>

namespace zelanto::coords {
namespace {

TEST(NumberText, PlainDecimalRoundedToFifteenSignificantDigits) {
    EXPECT_EQ(numberText(200), "200");
    EXPECT_EQ(numberText(-50.5 / 500 * 1000), "-101");
    EXPECT_EQ(numberText(24.5), "24.5");
    EXPECT_EQ(numberText(4.936), "4.936");
    EXPECT_EQ(numberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(numberText(100.0 / 300 * 1000), "333.333333333333");
    EXPECT_EQ(numberText(100.0 / 300 * 1000 + 0.5), "333.833333333333");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(123.4560000), "123.456");
    EXPECT_EQ(numberText(10.000), "10");
    EXPECT_EQ(numberText(-0.001), "-0.001");
    EXPECT_EQ(numberText(-30726.388), "-30726.388");
    EXPECT_EQ(numberText(123456789012345.6), "123456789012346");
    EXPECT_EQ(numberText(999999999999999), "999999999999999");
}

TEST(NumberText, ZeroHasNoSign) {
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
}

TEST(NumberText, PlainRangeEndsAtOneTenThousandthAndTenToTheFifteenth) {
    EXPECT_EQ(numberText(0.0001), "0.0001");
    EXPECT_EQ(numberText(0.00012345), "0.00012345");
    EXPECT_EQ(numberText(0.00001), "1E-05");
    EXPECT_EQ(numberText(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(numberText(1e15), "1E+15");
    EXPECT_EQ(numberText(999999999999999.9), "1E+15");  // rounds up into the exponent form
    EXPECT_EQ(numberText(1.234e100), "1.234E+100");
}

}  // namespace
}  // namespace zelanto::coords
