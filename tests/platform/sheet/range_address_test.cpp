#include "platform/sheet/range_address.h"

#include <gtest/gtest.h>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {
namespace {

using Kind = RangeAddress::Kind;

// The addresses the program writes are read when it is compiled.
static_assert("A:E"_range == RangeAddress::columns(1, 5));
static_assert("A1:E1"_range == RangeAddress{Kind::Block, 1, 1, 1, 5});

TEST(RangeAddress, ReadsWholeColumnsWholeRowsBlocksAndCells) {
    EXPECT_EQ(readRangeAddress("A:E"), (RangeAddress{Kind::Columns, 1, kMaxRows, 1, 5}));
    EXPECT_EQ(readRangeAddress("C:D"), (RangeAddress{Kind::Columns, 1, kMaxRows, 3, 4}));
    EXPECT_EQ(readRangeAddress("A:A"), (RangeAddress{Kind::Columns, 1, kMaxRows, 1, 1}));
    EXPECT_EQ(readRangeAddress("1:1"), (RangeAddress{Kind::Rows, 1, 1, 1, kMaxColumns}));
    EXPECT_EQ(readRangeAddress("A1:E1"), (RangeAddress{Kind::Block, 1, 1, 1, 5}));
    EXPECT_EQ(readRangeAddress("B2"), (RangeAddress{Kind::Block, 2, 2, 2, 2}));
    EXPECT_EQ(readRangeAddress("aa10:AB12"), (RangeAddress{Kind::Block, 10, 12, 27, 28}));
    EXPECT_EQ(readRangeAddress("XFD1048576"),
              (RangeAddress{Kind::Block, kMaxRows, kMaxRows, kMaxColumns, kMaxColumns}));
}

TEST(RangeAddress, SwapsBoundsGivenInReverse) {
    EXPECT_EQ(readRangeAddress("E:A"), readRangeAddress("A:E"));
    EXPECT_EQ(readRangeAddress("3:2"), readRangeAddress("2:3"));
    EXPECT_EQ(readRangeAddress("E2:A1"), readRangeAddress("A1:E2"));
}

TEST(RangeAddress, RefusesOtherFormsAndPlacesOffTheSheet) {
    for (const char* address :
         {"",         ":",   "A",    "1",        "A:1",  "1:A",   "A1:E",      "A:E1",
          "A1:B2:C3", "A0",  "0:1",  "A1048577", "XFE1", "AAAA1", "A12345678", "A-1",
          " A1",      "A1 ", "$A$1", "１:１",    "1A",   "A1:"}) {
        EXPECT_EQ(readRangeAddress(address), std::nullopt) << address;
    }
}

TEST(RangeAddress, CellPositionsMustLieOnTheSheet) {
    EXPECT_NO_THROW(checkCellPosition(Row(1), Column(1)));
    EXPECT_NO_THROW(checkCellPosition(Row(kMaxRows), Column(kMaxColumns)));
    EXPECT_THROW(checkCellPosition(Row(0), Column(1)), HostError);
    EXPECT_THROW(checkCellPosition(Row(1), Column(0)), HostError);
    EXPECT_THROW(checkCellPosition(Row(kMaxRows + 1), Column(1)), HostError);
    EXPECT_THROW(checkCellPosition(Row(1), Column(kMaxColumns + 1)), HostError);
}

}  // namespace
}  // namespace zelanto::platform
