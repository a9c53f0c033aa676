#include <gtest/gtest.h>

#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
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
    CellValue cell(int row, platform::Column column) {
        return sheet_.worksheet->value(platform::Row(row), column);
    }

    testing::TempFolder folder_;
    platform::EmbeddedHost host_;
    SheetReferences sheet_;
};

TEST_F(SimImportTest, ThreePointsFillRowsThreeToFive) {
    EXPECT_EQ(import(simWithPoints(3)), 3);
    const PointRow row = readPointRow(*sheet_.worksheet, platform::Row(5));
    EXPECT_EQ(row.number, CellValue("3"));
    EXPECT_EQ(row.name, CellValue("P3"));
    EXPECT_EQ(row.x, CellValue(3.5));
    EXPECT_EQ(row.y, CellValue(-3.25));
    EXPECT_EQ(row.elevation, CellValue(3.0));
    for (int column = 1; column <= 5; ++column) {
        EXPECT_TRUE(cell(6, platform::Column(column)).isEmpty());
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
    CellValue cell(int row, platform::Column column) {
        return ws().value(platform::Row(row), column);
    }

    testing::TempFolder folder_;
    int files_ = 0;
    platform::EmbeddedHost host_;
    SheetReferences sheet_;
};

TEST_F(SimMergeTest, FirstFileNumberedByPointLaterFilesByRow) {
    EXPECT_EQ(first(simWithPoints(3)), 3);
    EXPECT_EQ(cell(3, kNumberColumn), CellValue(1.0));
    EXPECT_EQ(cell(5, kNumberColumn), CellValue(3.0));
    EXPECT_EQ(firstFreeRow(ws()), platform::Row(6));
    EXPECT_EQ(following(simWithPoints(2)), 2);
    EXPECT_EQ(cell(6, kNumberColumn), CellValue(6.0));
    EXPECT_EQ(cell(7, kNumberColumn), CellValue(7.0));
    EXPECT_EQ(cell(7, kNameColumn), CellValue("P2"));
    EXPECT_EQ(cell(7, kYColumn), CellValue(-2.25));
}

TEST_F(SimMergeTest, FirstFileBringsAtMostFiftyThousandPoints) {
    EXPECT_EQ(first(simWithPoints(60000)), 50000);
    EXPECT_EQ(firstFreeRow(ws()), platform::Row(50003));
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
    EXPECT_EQ(firstFreeRow(ws()), platform::Row(50001));
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
