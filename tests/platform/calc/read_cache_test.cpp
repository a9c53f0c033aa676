#include "platform/calc/read_cache.h"

#include <gtest/gtest.h>

#include "tests/platform/calc/fake_calc.h"

namespace zelanto::testing {
namespace {

using platform::calc::ReadCache;

// Stores the block that the cache asks for at (row, column), every cell holding its row number.
std::string readAt(ReadCache& cache, int row, int column) {
    const RangeAddress block = cache.blockFor(row, column);
    std::vector<CellValue> values;
    for (int r = block.firstRow; r <= block.lastRow; ++r) {
        for (int c = block.firstColumn; c <= block.lastColumn; ++c) {
            values.emplace_back(static_cast<double>(r));
        }
    }
    cache.store({block, values});
    return addressText(block);
}

TEST(ReadCache, AScanDownGetsTwiceTheRowsEachTimeUpToTheLimit) {
    auto now = std::chrono::steady_clock::time_point();
    ReadCache cache([&now] { return now; });
    EXPECT_EQ(readAt(cache, 3, 2), "A3:E66");
    EXPECT_EQ(cache.find(66, 5), CellValue(66.0));
    EXPECT_EQ(cache.find(67, 1), std::nullopt);
    EXPECT_EQ(readAt(cache, 67, 1), "A67:E194");
    EXPECT_EQ(cache.find(3, 1), CellValue(3.0));
    int row = 195;
    for (int rows = 256; rows < ReadCache::kMaxBlockRows; rows *= 2) {
        readAt(cache, row, 1);
        row += rows;
    }
    EXPECT_EQ(readAt(cache, row, 1), "A8131:E16322");
    EXPECT_EQ(readAt(cache, 16323, 1), "A16323:E24514");
    // Anywhere else starts small again, and a wider column widens the block.
    EXPECT_EQ(readAt(cache, 1, 7), "A1:G64");
    EXPECT_EQ(cache.find(3, 7), CellValue(3.0));
    EXPECT_EQ(readAt(cache, 1048570, 1), "A1048570:E1048576");
}

TEST(ReadCache, ServesABlockForOneSecondAndForgetsItOnClear) {
    auto now = std::chrono::steady_clock::time_point();
    ReadCache cache([&now] { return now; });
    readAt(cache, 3, 1);
    now += std::chrono::milliseconds(1000);
    EXPECT_EQ(cache.find(3, 1), CellValue(3.0));
    now += std::chrono::milliseconds(1);
    EXPECT_EQ(cache.find(3, 1), std::nullopt);

    readAt(cache, 3, 1);
    cache.clear();
    EXPECT_EQ(cache.find(3, 1), std::nullopt);
}

}  // namespace
}  // namespace zelanto::testing
