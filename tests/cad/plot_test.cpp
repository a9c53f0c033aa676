#include <gtest/gtest.h>
#include <cstdio>
#include <sstream>

#include "base/atomic_file.h"
#include "base/code_page_932.h"
#include "base/decimal_number.h"
#include "base/text.h"
#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
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
const std::string kNameLines = "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\n";
const std::string kTail = "style      N Y \r\nfiledia 1\r\nzoom e\r\n";

class PlotScriptTest : public testing::PlotSheetFixture {
protected:
    std::string script(std::int16_t denominator) {
        Plot(ws(), denominator).writeScript(out_);
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
                               kNameLines + "text j bl 200.5,401 1.5 90 A1\r\n" + kNameLines +
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
    ws().setValue(platform::Row(5), kXColumn, "5");
    point(6, "C", "3", "3");
    EXPECT_EQ(script(1000), kHead + "point 1,1\r\npoint 2,2\r\ncircle 1,1 0.75\r\n" +
                                "circle 2,2 0.75\r\n" + kNameLines +
                                "text j bl 1.5,2 1.5 90 A\r\n" + kTail);

    for (int row = 3; row <= 10010; ++row) {
        ws().setValue(platform::Row(row), kNameColumn, "N");
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
    ws().setValue(platform::Row(4), kNameColumn, 0.1 + 0.2);
    EXPECT_NE(script(500).find("text j bl 0.5,1 1.5 90 12\r\n"), std::string::npos);
    EXPECT_NE(script(500).find(" 1.5 90 0.3\r\n"), std::string::npos);
}

TEST_F(PlotScriptTest, DataCheckNeedsAPointRowWithCoordinatesAndElevationInRowThree) {
    EXPECT_FALSE(hasPlottableData(ws()));
    point(3, "A", "1", "1");
    point(4, "B", "1", "1");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(platform::Row(3), coords::kNameColumn, "");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(platform::Row(3), coords::kNumberColumn, "");
    EXPECT_FALSE(hasPlottableData(ws()));
    ws().setValue(platform::Row(3), kNameColumn, "A");
    EXPECT_TRUE(hasPlottableData(ws()));
    ws().setValue(platform::Row(3), coords::kElevationColumn, "");
    EXPECT_FALSE(hasPlottableData(ws()));
}

TEST_F(PlotScriptTest, TextInACoordinateCellThatIsNoNumberIsAnError) {
    point(3, "A", "1", "1");
    ws().setValue(platform::Row(3), kXColumn, "abc");
    EXPECT_THROW(script(500), PlotValueError);
}

TEST_F(PlotScriptTest, SecondPlotOverwritesAndAnUnwritableFolderIsAFileError) {
    testing::writeBytes(out_, "an older, longer script than the next one");
    point(3, "A", "1", "1");
    EXPECT_EQ(script(1000).substr(0, kHead.size()), kHead);
    EXPECT_THROW(Plot(ws(), 500).writeScript(folder_ / "missing" / kPlotScriptFileName),
                 base::FileError);
}

using coords::kNameColumn;
using coords::kXColumn;
using coords::kYColumn;
using platform::CellValue;
using testing::readBytes;

std::vector<std::string> linesOf(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto next = text.find(end, at);
        lines.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return lines;
}

// What ezdxf reads from the file, as tests/cad/dxf_dump.py prints it, but the layer Defpoints,
// which ezdxf adds to every drawing it loads.
std::vector<std::string> dump(const std::filesystem::path& dxf) {
    const std::string command = std::string(ZELANTO_DXF_DUMP) + " '" + dxf.string() + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[65536];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        output.append(buffer, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << output;
    std::vector<std::string> lines = linesOf(output, "\n");
    std::erase(lines, "LAYER Defpoints 7");
    return lines;
}

std::vector<std::string> entitiesOf(const std::vector<std::string>& dumped) {
    std::vector<std::string> entities;
    for (const std::string& line : dumped) {
        if (line.starts_with("POINT ") || line.starts_with("CIRCLE ") ||
            line.starts_with("TEXT ") || line.starts_with("LWPOLYLINE ")) {
            entities.push_back(line);
        }
    }
    return entities;
}

// A number of the script as the dump writes it.
std::string number(std::string_view text) {
    const auto value = base::parseDecimalNumber(text);
    EXPECT_TRUE(value) << text;
    char out[32];
    std::snprintf(out, sizeof out, "%.17g", value.value_or(0));
    return out;
}

// "u,v" of the script as the world's "x y": the keys turn the coordinate system so that the
// script's second number runs east and its first north.
std::string world(std::string_view position) {
    const auto comma = position.find(',');
    return number(position.substr(comma + 1)) + " " + number(position.substr(0, comma));
}

// Every entity that the script draws, in the dump's terms, on the layer and in the colour that
// the script's layer and colour lines set.
std::vector<std::string> scriptEntities(const std::string& scriptBytes) {
    std::vector<std::string> entities;
    std::string layer;
    std::string colour;
    for (const std::string& line : linesOf(base::fromAnsi(scriptBytes), "\r\n")) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (line.starts_with("layer m ")) {
            layer = line.substr(8, line.size() - 9);
        } else if (command == "color") {
            words >> colour;
        } else if (command == "point") {
            entities.push_back("POINT " + layer + " " + colour + " " + world(line.substr(6)));
        } else if (command == "circle") {
            std::string position, radius;
            words >> position >> radius;
            entities.push_back("CIRCLE " + layer + " " + colour + " " + world(position) + " " +
                               number(radius));
        } else if (line.starts_with("text j bl ")) {
            std::string j, bl, position, height, rotation;
            words >> j >> bl >> position >> height >> rotation;
            const std::size_t nameStart = std::string("text j bl ").size() + position.size() +
                                          height.size() + rotation.size() + 3;
            // Drawn in the turned system at 90 degrees: in the world it reads left to right.
            entities.push_back("TEXT " + layer + " " + colour + " " + world(position) + " " +
                               number(height) + " 0 0 1 KST32B " + line.substr(nameStart));
        }
    }
    return entities;
}

class PlotDrawingTest : public testing::PlotSheetFixture {
protected:
    // Writes the script and the drawing; returns what ezdxf reads from the drawing.
    std::vector<std::string> plot(std::int16_t denominator) {
        const Plot plot(ws(), denominator);
        plot.writeScript(script_);
        plot.writeDrawing(drawing_);
        return dump(drawing_);
    }

    std::filesystem::path script_ = folder_ / kPlotScriptFileName;
    std::filesystem::path drawing_ = folder_ / kPlotDrawingFileName;
};

TEST_F(PlotDrawingTest, WorkedExampleNorthUpEastRight) {
    point(3, "A1", "100", "200");
    point(4, "点2", "-50.5", "12.25");
    const std::vector<std::string> dumped = plot(500);
    const std::vector<std::string> expected{
        "HEADER $ACADVER AC1015",  "HEADER $DWGCODEPAGE ANSI_932",
        "HEADER $INSUNITS 4",      "HEADER $EXTMIN 23.75 -101.75",
        "HEADER $EXTMAX 404 202",  "LAYER 0 7",
        "LAYER プロット 7",        "LAYER 点名 7",
        "STYLE KST32B kst32b.shx",
    };
    ASSERT_GT(dumped.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(dumped.begin(), dumped.begin() + 9), expected);
    EXPECT_EQ(entitiesOf(dumped), (std::vector<std::string>{
                                      "POINT プロット 5 400 200",
                                      "POINT プロット 5 24.5 -101",
                                      "CIRCLE プロット 5 400 200 0.75",
                                      "CIRCLE プロット 5 24.5 -101 0.75",
                                      "TEXT 点名 7 401 200.5 1.5 0 0 1 KST32B A1",
                                      "TEXT 点名 7 25.5 -100.5 1.5 0 0 1 KST32B 点2",
                                  }));
    EXPECT_EQ(entitiesOf(dumped), scriptEntities(readBytes(script_)));
}

TEST_F(PlotDrawingTest, TheOpeningViewHoldsEveryPoint) {
    point(3, "S", "-1000", "-2000");
    point(4, "N", "3000", "500");
    const std::vector<std::string> dumped = plot(100);
    const auto view = std::find_if(dumped.begin(), dumped.end(), [](const std::string& line) {
        return line.starts_with("VIEW ");
    });
    ASSERT_NE(view, dumped.end());
    double x = 0, y = 0, height = 0;
    std::istringstream(view->substr(5)) >> x >> y >> height;
    // World x runs from -20000 to 5000 (plus the circle and the name), y from -10000 to 30000.
    EXPECT_LT(x - height / 2, -20000.75);
    EXPECT_GT(x + height / 2, 5000.75);
    EXPECT_LT(y - height / 2, -10000.75);
    EXPECT_GT(y + height / 2, 30000);
}

TEST_F(PlotDrawingTest, EveryEntityOfTenThousandAndOnePointsMatchesTheScript) {
    for (int row = 3; row <= 10050; ++row) {
        const std::string name =
            row % 3 == 0 ? "点" + std::to_string(row) : "ｸｲ-" + std::to_string(row);
        point(row, name, std::to_string(-35000.125 + row * 7.3), std::to_string(12000 - row * 3.7));
    }
    const std::vector<std::string> entities = entitiesOf(plot(300));
    const std::vector<std::string> expected = scriptEntities(readBytes(script_));
    ASSERT_EQ(expected.size(), 3u * 10001u);
    ASSERT_EQ(entities.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(entities[i], expected[i]) << "entity " << i;
    }
}

TEST_F(PlotDrawingTest, UnnamedPointsAreDrawnWithoutAText) {
    point(3, "", "1", "1");
    point(4, "B", "2", "2");
    point(5, "", "3", "3");
    const std::vector<std::string> entities = entitiesOf(plot(500));
    EXPECT_EQ(entities.size(), 3u + 3u + 1u);
    EXPECT_EQ(entities, scriptEntities(readBytes(script_)));
}

TEST_F(PlotDrawingTest, NamesComeBackAsTheSheetHoldsThem) {
    std::string strayByte;
    base::appendUtf8(strayByte, base::byteEscape(0x80));
    const std::vector<std::string> names{
        "A1", "点名", "ｱｲｳ", "한국", strayByte + "x", "\\U+0041", " 名 前 ", "\xF0\x9F\x98\x80"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        point(3 + static_cast<int>(i), names[i], "1", std::to_string(i));
    }
    const std::vector<std::string> entities = entitiesOf(plot(500));
    ASSERT_EQ(entities.size(), names.size() * 3);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& text = entities[2 * names.size() + i];
        const std::string expected = names[i] == "\xF0\x9F\x98\x80" ? "?" : names[i];
        EXPECT_EQ(text.substr(text.find(" KST32B ") + 8), expected) << i;
    }
    // Texts are code page 932 in the file itself.
    EXPECT_NE(readBytes(drawing_).find("\n\x93\x5f\x96\xbc\n"), std::string::npos);
}

coords::Parcel parcel(const std::string& name, std::vector<std::pair<double, double>> cornersXY) {
    coords::Parcel parcel;
    parcel.number = "1";
    parcel.name = name;
    parcel.kind = "1";
    parcel.line = 1;
    for (const auto& [x, y] : cornersXY) {
        coords::ParcelCorner& corner = parcel.corners.emplace_back();
        corner.x = x;
        corner.y = y;
    }
    return parcel;
}

// An L of three squares, 10 m a side, given clockwise in survey terms: its area's centre lies
// inside the L, off the mean of its corners.
TEST_F(PlotDrawingTest, ParcelsAreClosedOutlinesWithTheirNameAtTheCentreOfTheirArea) {
    point(3, "A", "0", "0");
    const coords::Parcel parcels[] = {
        parcel("東画地", {{0, 0}, {0, 20}, {10, 20}, {10, 10}, {20, 10}, {20, 0}}),
        parcel("三角", {{-10, 0}, {-10, 30}, {-40, 0}}),
    };
    Plot(ws(), 1000).writeDrawing(drawing_, parcels);
    const std::vector<std::string> dumped = dump(drawing_);

    EXPECT_NE(std::find(dumped.begin(), dumped.end(), "LAYER 画地 3"), dumped.end());
    const std::vector<std::string> entities = entitiesOf(dumped);
    ASSERT_EQ(entities.size(), 3u + 4u);
    // World x is Y座標 and y is X座標, both scaled as the points: at 1/1000 a metre is a unit.
    EXPECT_EQ(entities[3], "LWPOLYLINE 画地 3 closed 0 0 20 0 20 10 10 10 10 20 0 20");
    EXPECT_EQ(entities[4], "LWPOLYLINE 画地 3 closed 0 -10 30 -10 0 -40");
    // The L's centroid: its three squares' centres (5, 5), (15, 5) and (5, 15), averaged.
    EXPECT_EQ(entities[5].substr(0, entities[5].find(" KST32B")),
              "TEXT 画地 3 " + number("8.33333333333333") + " " + number("8.33333333333333") +
                  " 1.5 0 1 2");
    EXPECT_EQ(entities[5].substr(entities[5].find(" KST32B ") + 8), "東画地");
    EXPECT_EQ(entities[6].substr(0, entities[6].find(" KST32B")), "TEXT 画地 3 10 -20 1.5 0 1 2");
}

TEST_F(PlotDrawingTest, WithoutParcelsTheDrawingHasNoParcelLayer) {
    point(3, "A", "0", "0");
    const std::vector<std::string> dumped = plot(500);
    EXPECT_EQ(std::count_if(
                  dumped.begin(), dumped.end(),
                  [](const std::string& line) { return line.find("画地") != std::string::npos; }),
              0);
}

TEST_F(PlotDrawingTest, ReplacesTheOldDrawingOnlyWhenComplete) {
    testing::writeBytes(drawing_, "old");
    point(3, "A", "1", "x");
    EXPECT_THROW(Plot(ws(), 500).writeDrawing(drawing_), PlotValueError);
    EXPECT_EQ(readBytes(drawing_), "old");
    ws().setValue(platform::Row(3), kYColumn, "1");
    EXPECT_THROW(Plot(ws(), 500).writeDrawing(folder_ / "missing" / kPlotDrawingFileName),
                 base::FileError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace

}  // namespace zelanto::cad
