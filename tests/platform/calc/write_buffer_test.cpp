#include "platform/calc/write_buffer.h"

#include <gtest/gtest.h>

#include "tests/platform/calc/fake_calc.h"

namespace zelanto::testing {
namespace {

using platform::calc::CellBlock;
using platform::calc::WriteBuffer;

// The blocks as "address: values", the values joined by blanks.
std::vector<std::string> describe(const std::vector<CellBlock>& blocks) {
    std::vector<std::string> texts;
    for (const auto& block : blocks) {
        std::string text = addressText(block.range) + ":";
        for (const auto& value : block.values) {
            text += " " + (value.isNumber() ? std::to_string(static_cast<int>(value.number()))
                                            : value.text());
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(WriteBuffer, GathersATableRowByRowAndKeepsABegunRowApart) {
    WriteBuffer buffer;
    for (int row = 3; row <= 4; ++row) {
        for (int column = 2; column <= 4; ++column) {
            ASSERT_TRUE(buffer.accepts(row, column));
            buffer.add(row, column, static_cast<double>(row * 10 + column));
        }
    }
    buffer.add(5, 2, "x");
    buffer.add(5, 3, "y");

    // Within a row only the next cell, and only up to the first row's width; a new row only
    // in the first column and once the row before it is complete.
    EXPECT_FALSE(buffer.accepts(5, 5));
    EXPECT_FALSE(buffer.accepts(6, 2));
    EXPECT_FALSE(buffer.accepts(5, 3));
    EXPECT_TRUE(buffer.accepts(5, 4));
    EXPECT_EQ(describe(buffer.take()),
              (std::vector<std::string>{"B3:D4: 32 33 34 42 43 44", "B5:C5: x y"}));
    EXPECT_TRUE(buffer.empty());
    EXPECT_TRUE(buffer.accepts(1, 1));
}

TEST(WriteBuffer, TakesNothingButWhatWasAddedAndGrowsNoFirstRowBackwards) {
    WriteBuffer buffer;
    EXPECT_TRUE(buffer.take().empty());
    buffer.add(2, 3, "a");
    EXPECT_FALSE(buffer.accepts(2, 2));
    EXPECT_FALSE(buffer.accepts(2, 3));
    EXPECT_FALSE(buffer.accepts(3, 4));
    EXPECT_TRUE(buffer.accepts(3, 3));
    EXPECT_EQ(describe(buffer.take()), std::vector<std::string>{"C2:C2: a"});
}

TEST(WriteBuffer, IsFullAtItsRowLimitOnlyOnceTheLastRowIsComplete) {
    WriteBuffer buffer;
    for (int row = 1; row <= WriteBuffer::kMaxBlockRows; ++row) {
        buffer.add(row, 1, "a");
        EXPECT_FALSE(buffer.full()) << row;
        buffer.add(row, 2, "b");
    }
    EXPECT_TRUE(buffer.full());
}

}  // namespace
}  // namespace zelanto::testing
