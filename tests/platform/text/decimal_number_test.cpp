#include "platform/text/decimal_number.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

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

// Plain decimals of up to 15 digits take a short way; it must give the very double that a full
// conversion gives, sign of zero included.
TEST(DecimalNumber, ShortPlainDecimalsReadAsAFullConversionReadsThem) {
    std::mt19937_64 random(932);
    for (int i = 0; i < 100000; ++i) {
        const int digits = static_cast<int>(random() % 15) + 1;
        std::string text = random() % 2 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        text.insert(text.size() - random() % (digits + 1), ".");
        if (text.back() == '.' && random() % 2 == 0) {
            text.pop_back();
        }
        double full = 0;
        ASSERT_EQ(std::from_chars(text.data(), text.data() + text.size(), full).ec, std::errc())
            << text;
        const auto read = parseDecimalNumber(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(*read, full) << text;
        EXPECT_EQ(std::signbit(*read), std::signbit(full)) << text;
    }
}

}  // namespace
}  // namespace zelanto::platform
