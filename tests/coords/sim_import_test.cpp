#include "coords/sim_import.h"

#include <gtest/gtest.h>

#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "tests/coords/sim_builder.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

using platform::CellValue;
using testing::simWithPoints;

class SimImportTest : public ::testing::Test {
protected:
    // Imports `bytes` into a fresh sheet; returns the points read, or -1 on a read failure.
    int import(const std::string& bytes) {
        testing::writeBytes(folder_ / "in.sim", bytes);
        sheet_ = createCoordinateSheet(host_);
        try {
            SimReader reader(folder_ / "in.sim");
            reader.skipToFirstPoint();
            return importPoints(reader, *sheet_.worksheet);
        } catch (const SimReadError&) {
            return -1;
        }
    }
    CellValue cell(int row, int column) { return sheet_.worksheet->value(row, column); }

    testing::TempFolder folder_;
    platform::EmbeddedHost host_;
    SheetReferences sheet_;
};

TEST_F(SimImportTest, ThreePointsFillRowsThreeToFive) {
    EXPECT_EQ(import(simWithPoints(3)), 3);
    const PointRow row = readPointRow(*sheet_.worksheet, 5);
    EXPECT_EQ(row.number, CellValue("3"));
    EXPECT_EQ(row.name, CellValue("P3"));
    EXPECT_EQ(row.x, CellValue(3.5));
    EXPECT_EQ(row.y, CellValue(-3.25));
    EXPECT_EQ(row.elevation, CellValue(3.0));
    for (int column = 1; column <= 5; ++column) {
        EXPECT_TRUE(cell(6, column).isEmpty());
    }
}

TEST_F(SimImportTest, NumbersStayTextAndCoordinatesAreRoundedToFifteenDigits) {
    EXPECT_EQ(import("A01,007,012,1.23456789012345678,,-0,\nA99,\n"), 1);
    EXPECT_EQ(cell(3, kNumberColumn), CellValue("007"));
    EXPECT_EQ(cell(3, kNameColumn), CellValue("012"));
    EXPECT_EQ(cell(3, kXColumn), CellValue(1.23456789012346));
    EXPECT_EQ(cell(3, kYColumn), CellValue(0.0));  // an empty item is 0, and written
}

TEST_F(SimImportTest, BadYInTheFifthPointLeavesItsNumberNameAndX) {
    std::string bytes = simWithPoints(6);
    bytes.replace(bytes.find("-5.25"), 5, "abc");
    EXPECT_EQ(import(bytes), -1);
    EXPECT_EQ(cell(6, kNameColumn), CellValue("P4"));
    EXPECT_EQ(cell(7, kNumberColumn), CellValue("5"));
    EXPECT_EQ(cell(7, kNameColumn), CellValue("P5"));
    EXPECT_EQ(cell(7, kXColumn), CellValue(5.5));
    EXPECT_TRUE(cell(7, kYColumn).isEmpty());
    EXPECT_TRUE(cell(8, kNumberColumn).isEmpty());
}

TEST_F(SimImportTest, LastPointWithoutA99FailsWithTheOthersInTheSheet) {
    EXPECT_EQ(import(simWithPoints(3, false)), -1);
    EXPECT_EQ(cell(4, kNameColumn), CellValue("P2"));
    EXPECT_TRUE(cell(5, kNumberColumn).isEmpty());
}

TEST_F(SimImportTest, StopsAfterFiftyThousandPoints) {
    EXPECT_EQ(import(simWithPoints(50001)), 50000);
    EXPECT_EQ(cell(50002, kNameColumn), CellValue("P50000"));
    EXPECT_TRUE(cell(50003, kNumberColumn).isEmpty());
}

}  // namespace
}  // namespace zelanto::coords
