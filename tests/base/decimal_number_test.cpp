#include <gtest/gtest.h>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "base/decimal_number.h"

namespace zelanto::base {
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

// What a text reads as, as the host reads a number's text.
double readNumber(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The coordinates of SIM files are plain decimals: read exactly, their number's text has their
// digits back, and that text reads as the same number.
TEST(ShortDecimal, ReadsExactlyTheNumberItsTextGivesBackOrNothing) {
    struct Case {
        const char* digits;
        const char* text;  // nullptr: no short decimal; the full conversion reads it
    };
    for (const Case& c : {Case{"0", "0"},
                          Case{"-0", "0"},
                          Case{"0.000", "0"},
                          Case{"-0.000", "0"},
                          Case{"200", "200"},
                          Case{"-101", "-101"},
                          Case{"24.5", "24.5"},
                          Case{"42172.990", "42172.99"},
                          Case{"10.000", "10"},
                          Case{"-30726.388", "-30726.388"},
                          Case{"0.0001", "0.0001"},
                          Case{"0.00010", "0.0001"},
                          Case{"999999999999999", "999999999999999"},
                          Case{"100000000000000", "100000000000000"},
                          Case{"1000000000.00001", "1000000000.00001"},
                          Case{"05", "5"},
                          Case{"+5", "5"},
                          Case{".5", "0.5"},
                          Case{"0.00001", "1E-05"},
                          Case{"0.000123456789012345", nullptr},
                          Case{"", nullptr},
                          Case{"-", nullptr},
                          Case{"1e5", nullptr},
                          Case{"1000000000000000", nullptr},
                          Case{"1234567890.123456", nullptr},
                          Case{"0.1234567890123456", nullptr},
                          Case{" 1", nullptr},
                          Case{"1 ", nullptr},
                          Case{"12.5 ", nullptr},
                          Case{"1,5", nullptr}}) {
        const auto value = parseShortDecimal(c.digits);
        ASSERT_EQ(value.has_value(), c.text != nullptr) << c.digits;
        if (value) {
            EXPECT_EQ(numberText(*value), c.text) << c.digits;
            EXPECT_EQ(readNumber(numberText(*value)), *value) << c.digits;
            EXPECT_EQ(*value, std::strtod(c.digits, nullptr)) << c.digits;
        }
    }
}

TEST(ShortDecimal, EveryPlainNumberTextReadsAsTheFullConversionReadsIt) {
    std::mt19937_64 random(932);
    std::uniform_real_distribution<double> magnitude(-5, 16);
    int read = 0;
    for (int i = 0; i < 20000; ++i) {
        const double value =
            std::pow(10.0, magnitude(random)) * (random() % 2 == 0 ? 1 : -1) * (random() % 7 + 1);
        const std::string text = numberText(value);
        if (const auto parsed = parseShortDecimal(text)) {
            EXPECT_EQ(*parsed, readNumber(text)) << text;
            ++read;
        } else {
            EXPECT_TRUE(text.find('E') != std::string::npos || text.size() > 16) << text;
        }
    }
    EXPECT_GT(read, 10000);
}

// Rounding to 15 digits from the shortest form must agree with rounding the value itself, which
// printf does exactly: both texts read back as the same number.
TEST(NumberText, RoundsAsAnExactConversionToFifteenDigitsDoes) {
    std::mt19937_64 random(500);
    const double scales[] = {100, 200, 250, 300, 500, 600, 1000};
    for (int i = 0; i < 200000; ++i) {
        const double coordinate = static_cast<double>(random() % 200000000) / 1000 - 100000;
        const double value = i % 2 == 0 ? coordinate / scales[random() % 7] * 1000
                                        : std::ldexp(static_cast<double>(random() >> 11), -20);
        char exact[40];
        std::snprintf(exact, sizeof exact, "%.14e", value);
        EXPECT_EQ(readNumber(numberText(value)), readNumber(exact)) << exact;
    }
}

}  // namespace

}  // namespace zelanto::base
