#include "coords/parcel_measure.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "coords/number_text.h"

namespace zelanto::coords {
namespace {

// A parcel through corners given as {X, Y}, written with `decimals` places.
Parcel parcelThrough(std::vector<std::pair<double, double>> corners,
                     std::optional<int> decimals = 0) {
    Parcel parcel;
    for (const auto& [x, y] : corners) {
        ParcelCorner& corner = parcel.corners.emplace_back();
        corner.x = x;
        corner.y = y;
    }
    parcel.decimals = decimals;
    return parcel;
}

Parcel reversed(Parcel parcel) {
    std::reverse(parcel.corners.begin(), parcel.corners.end());
    return parcel;
}

std::vector<double> differences(const AreaTable& table) {
    std::vector<double> values;
    for (const auto& row : table.rows) {
        values.push_back(row.yDifference);
    }
    return values;
}

std::vector<double> products(const AreaTable& table) {
    std::vector<double> values;
    for (const auto& row : table.rows) {
        values.push_back(row.product);
    }
    return values;
}

TEST(ParcelMeasure, UnitSquareByHand) {
    // Corners (X, Y): (0,0) (0,1) (1,1) (1,0). Yn+1 − Yn−1: 1−0, 1−0, 0−1, 0−1; the products
    // 0, 0, −1, −1 sum to −2: twice the area, negative for this order.
    const Parcel square = parcelThrough({{0, 0}, {0, 1}, {1, 1}, {1, 0}});
    const AreaTable table = areaTable(square);
    EXPECT_EQ(differences(table), (std::vector<double>{1, 1, -1, -1}));
    EXPECT_EQ(products(table), (std::vector<double>{0, 0, -1, -1}));
    EXPECT_EQ(table.doubleArea, 2);
    EXPECT_EQ(parcelArea(square), 1);
    EXPECT_EQ(parcelPerimeter(square), 4);
}

TEST(ParcelMeasure, RightTriangleByHand) {
    // Legs 4 and 3 along the axes: area 4·3/2 = 6, perimeter 4 + 3 + 5 = 12.
    const Parcel triangle = parcelThrough({{0, 0}, {4, 0}, {0, 3}});
    EXPECT_EQ(parcelArea(triangle), 6);
    EXPECT_EQ(parcelPerimeter(triangle), 12);
    // Yn+1 − Yn−1: 0−3, 3−0, 0−0; products 0, 12, 0.
    EXPECT_EQ(differences(areaTable(triangle)), (std::vector<double>{-3, 3, 0}));
    EXPECT_EQ(products(areaTable(triangle)), (std::vector<double>{0, 12, 0}));
    EXPECT_EQ(areaTable(triangle).doubleArea, 12);
}

TEST(ParcelMeasure, ClockwiseAndAnticlockwiseGiveTheSameAreaAndPerimeter) {
    const Parcel clockwise = parcelThrough({{0, 0}, {0, 5}, {2, 5}, {2, 0}});
    const Parcel anticlockwise = reversed(clockwise);
    EXPECT_EQ(parcelArea(clockwise), 10);
    EXPECT_EQ(parcelArea(anticlockwise), 10);
    EXPECT_EQ(parcelPerimeter(anticlockwise), 14);
    EXPECT_EQ(areaTable(clockwise).doubleArea, 20);
    EXPECT_EQ(areaTable(anticlockwise).doubleArea, 20);
    // The products change sign with the order; their sum is ±20.
    const auto sum = [](const AreaTable& table) {
        double total = 0;
        for (const auto& row : table.rows) {
            total += row.product;
        }
        return total;
    };
    EXPECT_EQ(sum(areaTable(clockwise)), -sum(areaTable(anticlockwise)));
    EXPECT_EQ(std::abs(sum(areaTable(clockwise))), 20);
}

TEST(ParcelMeasure, ConcaveParcelCountsOnlyWhatIsInside) {
    // An L: the 2 × 2 square without its 1 × 1 corner: area 3; perimeter 2+1+1+1+1+2 = 8.
    const Parcel l = parcelThrough({{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}});
    EXPECT_EQ(parcelArea(l), 3);
    EXPECT_EQ(parcelArea(reversed(l)), 3);
    EXPECT_EQ(parcelPerimeter(l), 8);
    // An arrowhead whose notch reaches past the middle: triangle 8·4/2 = 16 less 8·2/2 = 8.
    const Parcel arrow = parcelThrough({{0, 0}, {4, 4}, {0, 8}, {2, 4}});
    EXPECT_EQ(parcelArea(arrow), 8);
}

TEST(ParcelMeasure, SurveyCoordinatesGiveTheExactDecimalsTheyHold) {
    // Three corners of the sample file, worked by hand:
    //   Yn+1 − Yn−1: 41748.801 − 42172.990 = −424.189, 42172.990 − 41707.040 = 465.95,
    //                41707.040 − 41748.801 = −41.761;
    //   X·(Yn+1 − Yn−1): 13146068.022907, −14560797.715, 1283164.689268;
    //   their sum −131565.002825: 倍面積 131565.002825, area 65782.5014125.
    // In binary fractions the first difference alone is −424.1889999999985.
    const Parcel parcel = parcelThrough(
        {{-30991.063, 41707.040}, {-31249.700, 41748.801}, {-30726.388, 42172.990}}, 3);
    const AreaTable table = areaTable(parcel);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(numberText(table.rows[0].yDifference), "-424.189");
    EXPECT_EQ(numberText(table.rows[1].yDifference), "465.95");
    EXPECT_EQ(numberText(table.rows[2].yDifference), "-41.761");
    EXPECT_EQ(numberText(table.rows[0].product), "13146068.022907");
    EXPECT_EQ(numberText(table.rows[1].product), "-14560797.715");
    EXPECT_EQ(numberText(table.rows[2].product), "1283164.689268");
    EXPECT_EQ(numberText(table.doubleArea), "131565.002825");
    EXPECT_EQ(numberText(parcelArea(parcel)), "65782.5014125");
    EXPECT_EQ(numberText(parcelArea(reversed(parcel))), "65782.5014125");
    EXPECT_EQ(numberText(parcelPerimeter(parcel)), "1471.50269126031");
}

TEST(ParcelMeasure, CoordinatesWithAnExponentAreMeasuredWithoutRounding) {
    const Parcel parcel = parcelThrough({{0, 0}, {0, 0.1}, {0.1, 0.1}, {0.1, 0}}, std::nullopt);
    EXPECT_NEAR(parcelArea(parcel), 0.01, 1e-15);
    EXPECT_NEAR(parcelPerimeter(parcel), 0.4, 1e-15);
}

TEST(ParcelMeasure, CentroidIsTheCentreOfTheAreaInEitherOrder) {
    const auto centroid = [](const Parcel& parcel) {
        const ParcelPoint centre = parcelCentroid(parcel);
        return std::pair(centre.x, centre.y);
    };
    const Parcel square = parcelThrough({{0, 0}, {0, 2}, {2, 2}, {2, 0}});
    EXPECT_EQ(centroid(square), std::pair(1.0, 1.0));
    EXPECT_EQ(centroid(reversed(square)), std::pair(1.0, 1.0));
    // Survey coordinates far from the origin: the centre of a 4 by 2 rectangle.
    const Parcel far =
        parcelThrough({{-30000, 42000}, {-30000, 42004}, {-29998, 42004}, {-29998, 42000}});
    EXPECT_EQ(centroid(far), std::pair(-29999.0, 42002.0));
    // Corners on one line enclose nothing: their mean stands in.
    EXPECT_EQ(centroid(parcelThrough({{0, 0}, {1, 1}, {5, 5}})), std::pair(2.0, 2.0));
}

}  // namespace
}  // namespace zelanto::coords
