#include "platform/text/decimal_number.h"

#include <gtest/gtest.h>

namespace zelanto::platform {
namespace {

TEST(DecimalNumber, ReadsTheForms) {
    EXPECT_EQ(parseDecimalNumber("12"), 12.0);
    EXPECT_EQ(parseDecimalNumber("-105.25"), -105.25);
    EXPECT_EQ(parseDecimalNumber("+3."), 3.0);
    EXPECT_EQ(parseDecimalNumber(".5"), 0.5);
    EXPECT_EQ(parseDecimalNumber("1.5E3"), 1500.0);
    EXPECT_EQ(parseDecimalNumber("2e-2"), 0.02);
    EXPECT_EQ(parseDecimalNumber("007"), 7.0);
    EXPECT_EQ(parseDecimalNumber("1e-400"), 0.0);  // below the smallest double: zero
}

TEST(DecimalNumber, RefusesEverythingElse) {
    for (const char* text : {"", "abc", "-", ".", "1.2.3", "1e", "1e+", " 1", "1 ", "0x10", "inf",
                             "nan", "1,5", "１２", "1e400", "--1"}) {
        EXPECT_EQ(parseDecimalNumber(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace zelanto::platform
