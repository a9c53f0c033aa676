#include "cad/drawing_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/cad/png_picture.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

using testing::Ink;
using testing::PixelArea;
using testing::PngPicture;

class DrawingPictureTest : public ::testing::Test {
protected:
    PngPicture picture(const Drawing& drawing, const PictureStyle& style) {
        const auto file = folder_ / "picture.png";
        writeDrawingPicture(drawing, style, file);
        return PngPicture(file);
    }

    testing::TempFolder folder_;
};

TEST_F(DrawingPictureTest, PointsStandNorthUpAndEastRightFittedWithinTheMargins) {
    Drawing drawing;
    for (const WorldPoint at : {WorldPoint{0, 0}, WorldPoint{0, 100}, WorldPoint{100, 0}}) {
        drawing.entities.emplace_back(PointEntity{"p", 5, at});
        drawing.entities.emplace_back(CircleEntity{"p", 5, at, 0.75});
    }
    const PngPicture shown = picture(drawing, {400, 300, false, {}});
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 400);
    EXPECT_EQ(shown.height(), 300);
    // The square drawing fills the height within the margins (12 pixels), centred across: ink in
    // three of its corners, none in the north-east one and none beside it.
    EXPECT_GT(shown.count(Ink::blue, {50, 0, 200, 150}), 0) << "north";
    EXPECT_GT(shown.count(Ink::blue, {50, 150, 200, 300}), 0) << "the first point";
    EXPECT_GT(shown.count(Ink::blue, {200, 150, 350, 300}), 0) << "east";
    EXPECT_EQ(shown.count(Ink::blue, {200, 0, 400, 150}), 0);
    EXPECT_EQ(shown.count(Ink::blue, {0, 0, 50, 300}) + shown.count(Ink::blue, {350, 0, 400, 300}),
              0);
    EXPECT_EQ(shown.count(Ink::blue, {0, 0, 400, 10}) + shown.count(Ink::blue, {0, 290, 400, 300}),
              0);
    EXPECT_GT(shown.count(Ink::blue, {0, 10, 400, 16}), 0);
    EXPECT_GT(shown.count(Ink::blue, {0, 284, 400, 290}), 0);
    EXPECT_EQ(shown.count(Ink::dark), 0);
}

TEST_F(DrawingPictureTest, NamesDarkBesideTheirPointsParcelsGreenAndClosedThumbnailsWithoutNames) {
    Drawing drawing;
    drawing.entities.emplace_back(PointEntity{"p", 5, {0, 0}});
    drawing.entities.emplace_back(TextEntity{"n", 7, {1, 0.5}, 1.5, "境界杭1"});
    drawing.entities.emplace_back(
        OutlineEntity{"画地", 3, {{-50, -50}, {-50, 50}, {50, 50}, {50, -50}}});
    const PngPicture named = picture(drawing, {200, 200, true, {}});
    // The parcel fills the picture within the margins (8 pixels): its four sides, the one that
    // closes it from the last corner back to the first included.
    for (const PixelArea side : {PixelArea{6, 90, 11, 110}, PixelArea{189, 90, 194, 110},
                                 PixelArea{90, 6, 110, 11}, PixelArea{90, 189, 110, 194}}) {
        EXPECT_GT(named.count(Ink::green, side), 0) << side.left << "," << side.top;
    }
    // The name to the right of its point in the middle, its foot level with the point, readable.
    EXPECT_GT(named.count(Ink::dark, {101, 86, 160, 101}), 40);
    EXPECT_EQ(named.count(Ink::dark, {0, 0, 99, 200}), 0);

    const PngPicture thumbnail = picture(drawing, {200, 200, false, {}});
    EXPECT_EQ(thumbnail.count(Ink::dark), 0);
    EXPECT_GT(thumbnail.count(Ink::blue, {95, 95, 105, 105}), 0);
}

TEST_F(DrawingPictureTest, ScaleBarIsARoundNumberOfMetresAtTheDrawingsScale) {
    // At 1:500 a metre is 2 drawing units: the first two points are 100 m apart east to west.
    Drawing drawing;
    for (const WorldPoint at : {WorldPoint{0, 0}, WorldPoint{200, 0}, WorldPoint{100, 150}}) {
        drawing.entities.emplace_back(PointEntity{"p", 5, at});
    }
    EXPECT_EQ(picture(drawing, {800, 600, true, {}}).count(Ink::dark), 0);

    const PngPicture barred = picture(drawing, {800, 600, true, 2.0});
    int west = 800;
    int east = 0;
    int longestRun = 0;  // of dark pixels along a row of the bottom-left corner: the bar
    for (int row = 0; row < 600; ++row) {
        for (int column = 0, run = 0; column < 800; ++column) {
            if (barred.at(column, row) == Ink::blue) {
                west = std::min(west, column);
                east = std::max(east, column);
            }
            run = barred.at(column, row) == Ink::dark && row > 450 && column < 400 ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    const double metres = longestRun / ((east - west - 2) / 100.0);  // the dots are 3 pixels wide
    const double leading = metres / std::pow(10, std::floor(std::log10(metres)));
    EXPECT_TRUE(std::abs(leading - 1) < 0.05 || std::abs(leading - 2) < 0.1 ||
                std::abs(leading - 5) < 0.2)
        << metres << " m";
    // The longest such length that takes at most a quarter of the width.
    EXPECT_LE(longestRun, 200 + 2);
    EXPECT_GT(longestRun * 2.5, 200);
}

}  // namespace
}  // namespace zelanto::cad
