#include "coords/sim_writer.h"

#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "coords/coordinate_sheet.h"
#include "coords/sim_import.h"
#include "platform/embedded/embedded_host.h"
#include "tests/platform/sheet/failing_host.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

using platform::CellValue;
using testing::readBytes;

const std::string kHeaderLines =
    "Z00,/orvik simformat ver.1.0/,\r\n"
    "G00,01,SIM\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e\x88\xea\x97\x97,\r\n"
    "Z00,/\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e/,\r\n"
    "A00,\r\n";

class SimWriterTest : public ::testing::Test {
protected:
    SimWriterTest() : sheet_(createCoordinateSheet(host_)) {}

    void row(int row, const CellValue& a, const CellValue& b, const CellValue& c,
             const CellValue& d, const CellValue& e) {
        const CellValue values[] = {a, b, c, d, e};
        for (int column = 1; column <= 5; ++column) {
            ws().setValue(platform::Row(row), platform::Column(column), values[column - 1]);
        }
    }
    std::string written() {
        writeMergedSim(ws(), out_);
        return readBytes(out_);
    }
    platform::Worksheet& ws() { return *sheet_.worksheet; }

    testing::TempFolder folder_;
    std::filesystem::path out_ = folder_ / kMergedSimFileName;
    platform::EmbeddedHost embedded_;
    testing::FailingHost host_{embedded_};
    SheetReferences sheet_;
};

TEST_F(SimWriterTest, WorkedExampleOfSevenLines) {
    row(3, 1.0, "P1", "100.5", "200.25", "10");
    row(4, 13.0, "P2", "-5", "0.001", "2.5");
    EXPECT_EQ(written(), kHeaderLines +
                             "A01,1,P1,100.5,200.25,10,\r\n"
                             "A01,2,P2,-5,0.001,2.5,\r\n"
                             "A99,\r\n");
}

TEST_F(SimWriterTest, EmptySheetGivesFiveLines) {
    EXPECT_EQ(written(), kHeaderLines + "A99,\r\n");
}

TEST_F(SimWriterTest, RenumbersAndWritesEmptyCellsAsNothing) {
    const double numbers[] = {1, 2, 3, 6, 7};
    for (int i = 0; i < 5; ++i) {
        row(3 + i, numbers[i], "N", "12.5", "7.25", "3");
    }
    ws().setValue(platform::Row(6), kNameColumn, "");
    ws().setValue(platform::Row(7), kElevationColumn, "");
    EXPECT_EQ(written(), kHeaderLines +
                             "A01,1,N,12.5,7.25,3,\r\n"
                             "A01,2,N,12.5,7.25,3,\r\n"
                             "A01,3,N,12.5,7.25,3,\r\n"
                             "A01,4,,12.5,7.25,3,\r\n"
                             "A01,5,N,12.5,7.25,,\r\n"
                             "A99,\r\n");
}

TEST_F(SimWriterTest, NameWithACommaIsQuotedAndReadsBackWhole) {
    row(3, 1.0, "A,1", "1", "2", "3");
    row(4, 2.0, "点3", "-30726.388", "42172.99", "0");
    const std::string bytes = written();
    EXPECT_NE(bytes.find("A01,1,\"A,1\",1,2,3,\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("A01,2,\x93\x5f\x33,-30726.388,42172.99,0,\r\n"), std::string::npos);

    // Read back by the import: the same points.
    platform::EmbeddedHost host;
    const SheetReferences again = createCoordinateSheet(host);
    SimReader reader(out_);
    reader.skipToFirstPoint();
    EXPECT_EQ(importPoints(reader, *again.worksheet), 2);
    for (platform::Row r(3); r <= platform::Row(4); ++r) {
        for (platform::Column column = kNameColumn; column <= kElevationColumn; ++column) {
            EXPECT_EQ(again.worksheet->value(r, column), ws().value(r, column));
        }
    }
}

TEST_F(SimWriterTest, WritesFiftyThousandPointsAtMostThenA99) {
    for (int r = 3; r <= 50004; ++r) {
        ws().setValue(platform::Row(r), kNumberColumn, static_cast<double>(r));
    }
    const std::string bytes = written();
    EXPECT_NE(bytes.find("A01,50000,,,,,\r\nA99,\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("A01,50001,"), std::string::npos);
}

TEST_F(SimWriterTest, ReplacesAnOldFileAndKeepsItWhenTheWriteFails) {
    testing::writeBytes(out_, "old");
    row(3, 1.0, "P", "1", "2", "3");
    EXPECT_NE(written(), "old");

    // A host that fails in the middle: the file already there is left as it was.
    testing::writeBytes(out_, "old");
    host_.failOnCall(host_.calls() + 5);
    EXPECT_THROW(writeMergedSim(ws(), out_), platform::HostError);
    EXPECT_EQ(readBytes(out_), "old");
    EXPECT_THROW(writeMergedSim(ws(), folder_ / "missing" / kMergedSimFileName), base::FileError);
}

TEST_F(SimWriterTest, TheWriterCreatesTheFileAtOnceAndPutsItInPlaceOnlyWhenWritten) {
    testing::writeBytes(out_, "old");
    const auto filesInFolder = [this] {
        return std::distance(std::filesystem::directory_iterator(folder_.path()),
                             std::filesystem::directory_iterator());
    };
    {
        MergedSimWriter dropped(out_);
        EXPECT_EQ(filesInFolder(), 2);  // the new file beside the old one
    }
    EXPECT_EQ(readBytes(out_), "old");
    EXPECT_EQ(filesInFolder(), 1);

    MergedSimWriter writer(out_);
    row(3, 1.0, "P", "1", "2", "3");
    writer.write(ws());
    EXPECT_EQ(readBytes(out_), kHeaderLines + "A01,1,P,1,2,3,\r\nA99,\r\n");
    EXPECT_EQ(filesInFolder(), 1);

    EXPECT_THROW(MergedSimWriter{folder_ / "missing" / kMergedSimFileName}, base::FileError);
}

TEST_F(SimWriterTest, SampleFilesMergeAndReadBack) {
    for (const char* name : {"instrument_padded.sim", "handmade_lf.sim"}) {
        SimReader reader(std::filesystem::path(ZELANTO_FIXTURES) / name);
        reader.skipToFirstPoint();
        const platform::Row freeRow = firstFreeRow(ws());
        if (freeRow == kFirstPointRow) {
            mergeFirstFile(reader, ws());
        } else {
            mergeFollowingFile(reader, ws(), freeRow);
        }
    }
    const std::string bytes = written();
    EXPECT_NE(bytes.find("A01,1,KBM1,-30726.388,42172.99,56.569,\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("A01,7,No.0,-31156.878,42218.614,0,\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("A01,41,\"A,1\",100.5,200.25,10,\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("A01,43,\x93\x5f\x33,12.5,7.25,3,\r\nA99,\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zelanto::coords
