#include "cad/drawing_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/files/atomic_file.h"
#include "tests/cad/png_picture.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

using testing::Ink;
using testing::InkBlob;
using testing::PixelArea;
using testing::PngPicture;

Drawing pointsAt(std::initializer_list<WorldPoint> places) {
    Drawing drawing;
    for (const WorldPoint& at : places) {
        drawing.entities.emplace_back(PointEntity{"p", 5, at});
    }
    return drawing;
}

class DrawingPictureTest : public ::testing::Test {
protected:
    PngPicture picture(const Drawing& drawing, const PictureStyle& style) {
        const auto file = folder_ / "picture.png";
        writeDrawingPicture(drawing, style, file);
        return PngPicture(file);
    }

    testing::TempFolder folder_;
};

TEST_F(DrawingPictureTest, PointsStandNorthUpAndEastRightFittedIntoThePicture) {
    const PngPicture shown = picture(pointsAt({{0, 0}, {0, 100}, {100, 0}}), {400, 300, false, {}});
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 400);
    EXPECT_EQ(shown.height(), 300);

    const std::vector<InkBlob> dots = shown.blobs(Ink::blue);
    ASSERT_EQ(dots.size(), 3u);
    const InkBlob& north = dots[0];  // blobs come top to bottom
    const InkBlob& origin = dots[1].column < dots[2].column ? dots[1] : dots[2];
    const InkBlob& east = dots[1].column < dots[2].column ? dots[2] : dots[1];
    EXPECT_NEAR(north.column, origin.column, 0.5);
    EXPECT_NEAR(east.row, origin.row, 0.5);
    EXPECT_GT(east.column, origin.column);
    // The drawing is square, the picture wide: it fills the height within the margins and stands
    // in the middle of the width, its east as far from the middle as its west.
    EXPECT_GT(origin.row - north.row, 0.85 * 300);
    EXPECT_GT(north.bounds.top, 0);
    EXPECT_LT(origin.bounds.bottom, 300);
    EXPECT_NEAR(origin.column + east.column, 400, 2);
    // Where the drawing has nothing, the picture has nothing.
    EXPECT_EQ(shown.count(Ink::blue, {static_cast<int>(north.column) + 10, 0, 400,
                                      static_cast<int>(origin.row) - 10}),
              0);
    EXPECT_EQ(shown.count(Ink::dark), 0);
}

TEST_F(DrawingPictureTest, CirclesHaveTheirSizeAtTheScaleButStayRingsWhenSmall) {
    // Two points 10 units apart: circles of 0.75 show as rings three quarters of a unit wide.
    Drawing close = pointsAt({{0, 0}, {10, 0}});
    for (const WorldPoint at : {WorldPoint{0, 0}, WorldPoint{10, 0}}) {
        close.entities.emplace_back(CircleEntity{"p", 5, at, 0.75});
    }
    const PngPicture big = picture(close, {400, 300, false, {}});
    const std::vector<InkBlob> shapes = big.blobs(Ink::blue);
    ASSERT_EQ(shapes.size(), 4u) << "two dots, each inside its ring";
    std::vector<const InkBlob*> rings;
    for (const InkBlob& shape : shapes) {
        if (shape.pixels > 50) {
            rings.push_back(&shape);
        }
    }
    ASSERT_EQ(rings.size(), 2u);
    const double unit = std::abs(rings[1]->column - rings[0]->column) / 10;
    const double diameter = rings[0]->bounds.right - rings[0]->bounds.left;
    EXPECT_NEAR(diameter, 1.5 * unit, 2);
    EXPECT_EQ(
        big.at(static_cast<int>(rings[0]->column + 0.4 * unit), static_cast<int>(rings[0]->row)),
        Ink::paper);

    // 10 km apart the same circles would be a thousandth of a pixel: they stay rings all the same.
    Drawing far = pointsAt({{0, 0}, {10000, 0}});
    far.entities.emplace_back(CircleEntity{"p", 5, {0, 0}, 0.75});
    const InkBlob marked = picture(far, {400, 300, false, {}}).blobs(Ink::blue).front();
    EXPECT_GE(marked.bounds.right - marked.bounds.left, 6);
}

TEST_F(DrawingPictureTest, NamesAreDarkBesideTheirPointsAndThumbnailsLeaveThemOut) {
    Drawing drawing = pointsAt({{0, 0}, {500, 300}});
    drawing.entities.emplace_back(TextEntity{"n", 7, {1, 0.5}, 1.5, "境界杭1"});
    drawing.entities.emplace_back(TextEntity{"n", 7, {501, 300.5}, 1.5, "BM1"});

    const PngPicture named = picture(drawing, {600, 400, true, {}});
    const std::vector<InkBlob> dots = named.blobs(Ink::blue);
    ASSERT_EQ(dots.size(), 2u);
    int besidePoints = 0;
    for (const InkBlob& dot : dots) {
        // The name stands to the right of its point, its foot level with it, readable.
        const int column = static_cast<int>(dot.column);
        const int row = static_cast<int>(dot.row);
        const int ink = named.count(Ink::dark, {column, row - 20, column + 80, row + 2});
        EXPECT_GT(ink, 40) << "beside the point at " << column << "," << row;
        besidePoints += ink;
    }
    EXPECT_EQ(named.count(Ink::dark), besidePoints) << "no dark ink elsewhere";

    const PngPicture thumbnail = picture(drawing, {128, 128, false, {}});
    EXPECT_EQ(thumbnail.blobs(Ink::blue).size(), 2u);
    EXPECT_EQ(thumbnail.count(Ink::dark), 0);
}

TEST_F(DrawingPictureTest, ParcelsAreClosedGreenOutlinesWithTheirNamesInside) {
    Drawing drawing;
    drawing.entities.emplace_back(OutlineEntity{"画地", 3, {{0, 0}, {0, 50}, {50, 50}, {50, 0}}});
    drawing.entities.emplace_back(
        TextEntity{"画地", 3, {25, 25}, 1.5, "北区画", TextAnchor::middleCentre});
    const PngPicture shown = picture(drawing, {500, 500, true, {}});

    const std::vector<InkBlob> green = shown.blobs(Ink::green);
    ASSERT_FALSE(green.empty());
    const InkBlob& outline = green.front();
    const PixelArea& box = outline.bounds;
    const int middleColumn = (box.left + box.right) / 2;
    const int middleRow = (box.top + box.bottom) / 2;
    // Every side, the closing one from the last corner back to the first included.
    EXPECT_EQ(shown.at(box.left, middleRow), Ink::green);
    EXPECT_EQ(shown.at(box.right - 1, middleRow), Ink::green);
    EXPECT_EQ(shown.at(middleColumn, box.top), Ink::green);
    EXPECT_EQ(shown.at(middleColumn, box.bottom - 1), Ink::green);
    EXPECT_GT(shown.count(Ink::green,
                          {middleColumn - 30, middleRow - 10, middleColumn + 30, middleRow + 10}),
              20);
}

TEST_F(DrawingPictureTest, ScaleBarIsARoundNumberOfMetresAtTheDrawingsScale) {
    // At 1:500 a metre is 2 drawing units: these points are 100 m apart east to west.
    const Drawing drawing = pointsAt({{0, 0}, {200, 0}, {100, 150}});
    const PngPicture plain = picture(drawing, {800, 600, true, {}});
    EXPECT_EQ(plain.count(Ink::dark), 0);

    const PngPicture barred = picture(drawing, {800, 600, true, 2.0});
    const std::vector<InkBlob> dots = barred.blobs(Ink::blue);
    ASSERT_EQ(dots.size(), 3u);
    const double pixelsPerMetre = std::abs(dots[2].column - dots[1].column) / 100;
    // The bar: the longest run of dark pixels along a row of the bottom-left corner.
    int longest = 0;
    for (int row = 450; row < 600; ++row) {
        for (int column = 0, run = 0; column < 400; ++column) {
            run = barred.at(column, row) == Ink::dark ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    const double metres = longest / pixelsPerMetre;
    const double power = std::pow(10, std::floor(std::log10(metres)));
    const double leading = metres / power;
    EXPECT_TRUE(std::abs(leading - 1) < 0.05 || std::abs(leading - 2) < 0.1 ||
                std::abs(leading - 5) < 0.2)
        << metres << " m";
    // The longest such length that takes at most a quarter of the width.
    EXPECT_LE(longest, 200 + 2);
    EXPECT_GT(longest * 2.5, 200);
}

TEST_F(DrawingPictureTest, PictureThatCannotBeWrittenIsAFileError) {
    EXPECT_THROW(writeDrawingPicture(pointsAt({{0, 0}}), {}, folder_ / "missing/picture.png"),
                 platform::FileError);
}

}  // namespace
}  // namespace zelanto::cad
