#include "coords/sim_merge.h"

#include <gtest/gtest.h>

#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "tests/coords/sim_builder.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

using platform::CellValue;
using testing::simWithPoints;

class SimMergeTest : public ::testing::Test {
protected:
    SimMergeTest() : sheet_(createCoordinateSheet(host_)) {}

    std::unique_ptr<SimReader> reader(const std::string& bytes) {
        const auto path = folder_ / ("in" + std::to_string(++files_) + ".sim");
        testing::writeBytes(path, bytes);
        auto reader = std::make_unique<SimReader>(path);
        reader->skipToFirstPoint();
        return reader;
    }
    int first(const std::string& bytes) { return mergeFirstFile(*reader(bytes), ws()); }
    int following(const std::string& bytes) {
        return mergeFollowingFile(*reader(bytes), ws(), firstFreeRow(ws()));
    }
    platform::Worksheet& ws() { return *sheet_.worksheet; }
    CellValue cell(int row, int column) { return ws().value(row, column); }

    testing::TempFolder folder_;
    int files_ = 0;
    platform::EmbeddedHost host_;
    SheetReferences sheet_;
};

TEST_F(SimMergeTest, FirstFileNumberedByPointLaterFilesByRow) {
    EXPECT_EQ(first(simWithPoints(3)), 3);
    EXPECT_EQ(cell(3, kNumberColumn), CellValue(1.0));
    EXPECT_EQ(cell(5, kNumberColumn), CellValue(3.0));
    EXPECT_EQ(firstFreeRow(ws()), 6);
    EXPECT_EQ(following(simWithPoints(2)), 2);
    EXPECT_EQ(cell(6, kNumberColumn), CellValue(6.0));
    EXPECT_EQ(cell(7, kNumberColumn), CellValue(7.0));
    EXPECT_EQ(cell(7, kNameColumn), CellValue("P2"));
    EXPECT_EQ(cell(7, kYColumn), CellValue(-2.25));
}

TEST_F(SimMergeTest, FirstFileBringsAtMostFiftyThousandPoints) {
    EXPECT_EQ(first(simWithPoints(60000)), 50000);
    EXPECT_EQ(firstFreeRow(ws()), 50003);
    EXPECT_TRUE(isMergeSheetFull(firstFreeRow(ws())));
    // A later file finds no row left: it brings nothing, and says so.
    EXPECT_EQ(following(simWithPoints(3)), 0);
    EXPECT_TRUE(cell(50003, kNumberColumn).isEmpty());
}

TEST_F(SimMergeTest, LaterFilesFillUpToRowFiftyThousandOnly) {
    EXPECT_EQ(first(simWithPoints(49997)), 49997);  // rows 3 to 49,999
    EXPECT_FALSE(isMergeSheetFull(firstFreeRow(ws())));
    EXPECT_EQ(following(simWithPoints(10)), 1);
    EXPECT_EQ(cell(50000, kNumberColumn), CellValue(50000.0));
    EXPECT_EQ(cell(50000, kNameColumn), CellValue("P1"));
    EXPECT_TRUE(cell(50001, kNumberColumn).isEmpty());
    EXPECT_EQ(firstFreeRow(ws()), 50001);
    EXPECT_TRUE(isMergeSheetFull(firstFreeRow(ws())));
}

TEST_F(SimMergeTest, FailureInALaterFileLeavesItsEarlierPoints) {
    first(simWithPoints(2));
    EXPECT_THROW(following(simWithPoints(3, false)), SimReadError);
    EXPECT_EQ(cell(6, kNumberColumn), CellValue(6.0));
    EXPECT_TRUE(cell(7, kNumberColumn).isEmpty());
}

}  // namespace
}  // namespace zelanto::coords
