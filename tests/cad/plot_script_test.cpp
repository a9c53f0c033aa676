#include "cad/plot_script.h"

#include <gtest/gtest.h>

#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "platform/files/atomic_file.h"
#include "tests/cad/plot_sheet_fixture.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

using coords::kNameColumn;
using coords::kXColumn;
using coords::kYColumn;
using platform::CellValue;
using testing::readBytes;

const std::string kHead =
    "-osnap \r\n"
    "layer m \x83\x76\x83\x8d\x83\x62\x83\x67 \r\n"
    "color 5\r\n";
const std::string kNameLayer = "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\n";
const std::string kTail = "style      N Y \r\nfiledia 1\r\nzoom e\r\n";

class PlotScriptTest : public testing::PlotSheetFixture {
protected:
    std::string script(std::int16_t denominator) {
        writePlotScript(ws(), denominator, out_);
        return readBytes(out_);
    }

    std::filesystem::path out_ = folder_ / kPlotScriptFileName;
};

TEST_F(PlotScriptTest, WorkedExampleOfSixteenLines) {
    point(3, "A1", "100", "200");
    point(4, "A2", "-50.5", "12.25");
    ASSERT_TRUE(hasPlottableData(ws()));
    EXPECT_EQ(script(500), kHead +
                               "point 200,400\r\n"
                               "point -101,24.5\r\n"
                               "circle 200,400 0.75\r\n"
                               "circle -101,24.5 0.75\r\n" +
                               kNameLayer + "text j bl 200.5,401 1.5 90 A1\r\n" + kNameLayer +
                               "text j bl -100.5,25.5 1.5 90 A2\r\n" + kTail);
}

TEST_F(PlotScriptTest, FifteenSignificantDigitsAndEmptyCoordinatesAsZero) {
    point(3, "P", "100", "");
    point(4, " 名 前 ", "", "-3");
    const std::string text = script(300);
    EXPECT_NE(text.find("point 333.333333333333,0\r\n"), std::string::npos);
    EXPECT_NE(text.find("text j bl 333.833333333333,1 1.5 90 P\r\n"), std::string::npos);
    EXPECT_NE(text.find("text j bl 0.5,-9 1.5 90  \x96\xbc \x91\x4f \r\n"), std::string::npos);
}

// A point without a name is drawn, without name lines; the passes end at the first row that has
// neither a point number nor a name.
TEST_F(PlotScriptTest, UnnamedPointsAreDrawnAndPassesStopAtARowWithoutNumberAndName) {
    point(3, "A", "1", "1");
    point(4, "", "2", "2");
    ws().setValue(5, kXColumn, "5");
    point(6, "C", "3", "3");
    EXPECT_EQ(script(1000), kHead + "point 1,1\r\npoint 2,2\r\ncircle 1,1 0.75\r\n" +
                                "circle 2,2 0.75\r\n" + kNameLayer +
                                "text j bl 1.5,2 1.5 90 A\r\n" + kTail);

    for (int row = 3; row <= 10010; ++row) {
        ws().setValue(row, kNameColumn, "N");
    }
    const std::string full = script(1000);
    size_t points = 0;
    for (size_t at = full.find("\r\npoint "); at != std::string::npos;
         at = full.find("\r\npoint ", at + 1)) {
        ++points;
    }
    EXPECT_EQ(points, 10001u);
}

TEST_F(PlotScriptTest, NameHeldAsANumberUsesTheNumberRule) {
    point(3, 12.0, "0", "0");
    ws().setValue(4, kNameColumn, 0.1 + 0.2);
    EXPECT_NE(script(500).find("text j bl 0.5,1 1.5 90 12\r\n"), std::string::npos);
    EXPECT_NE(script(500).find(" 1.5 90 0.3\r\n"), std::string::npos);
}

TEST_F(PlotScriptTest, DataCheckNeedsAPointRowWithCoordinatesAndElevationInRowThree) {
    EXPECT_FALSE(hasPlottableData(ws()));
    point(3, "A", "1", "1");
    point(4, "B", "1", "1");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(3, coords::kNameColumn, "");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(3, coords::kNumberColumn, "");
    EXPECT_FALSE(hasPlottableData(ws()));
    ws().setValue(3, kNameColumn, "A");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(3, coords::kElevationColumn, "");
    EXPECT_FALSE(hasPlottableData(ws()));
}

TEST_F(PlotScriptTest, TextInACoordinateCellThatIsNoNumberIsAnError) {
    point(3, "A", "1", "1");
    ws().setValue(3, kXColumn, "abc");
    EXPECT_THROW(script(500), PlotValueError);
}

TEST_F(PlotScriptTest, SecondPlotOverwritesAndAnUnwritableFolderIsAFileError) {
    testing::writeBytes(out_, "an older, longer script than the next one");
    point(3, "A", "1", "1");
    EXPECT_EQ(script(1000).substr(0, kHead.size()), kHead);
    EXPECT_THROW(writePlotScript(ws(), 500, folder_ / "missing" / kPlotScriptFileName),
                 platform::FileError);
}

}  // namespace
}  // namespace zelanto::cad
