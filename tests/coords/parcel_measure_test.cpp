#include <gtest/gtest.h>
#include <algorithm>

#include "base/decimal_number.h"
#include "coords/parcel_measure.h"
#include "coords/parcels.h"
#include "tests/temp_folder.h"

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
    EXPECT_EQ(base::numberText(table.rows[0].yDifference), "-424.189");
    EXPECT_EQ(base::numberText(table.rows[1].yDifference), "465.95");
    EXPECT_EQ(base::numberText(table.rows[2].yDifference), "-41.761");
    EXPECT_EQ(base::numberText(table.rows[0].product), "13146068.022907");
    EXPECT_EQ(base::numberText(table.rows[1].product), "-14560797.715");
    EXPECT_EQ(base::numberText(table.rows[2].product), "1283164.689268");
    EXPECT_EQ(base::numberText(table.doubleArea), "131565.002825");
    EXPECT_EQ(base::numberText(parcelArea(parcel)), "65782.5014125");
    EXPECT_EQ(base::numberText(parcelArea(reversed(parcel))), "65782.5014125");
    EXPECT_EQ(base::numberText(parcelPerimeter(parcel)), "1471.50269126031");
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

class ParcelEdgesTest : public ::testing::Test {
protected:
    // A parcel of three corners: A at the origin, B at `b` (X,Y as written) and C, with the edge
    // A→B written as `c03` ("<length>,<bearing>").
    Parcel triangle(const std::string& b, const std::string& c03) {
        const auto path = folder_ / "e.sim";
        testing::writeBytes(path, "A01,1,A,0.000,0.000,0,\r\nA01,2,B," + b +
                                      ",0,\r\nA01,3,C,-9.000,-9.000,0,\r\nA99,\r\n"
                                      "D00,1,t,1,\r\nB01,1,,\r\nC03," +
                                      c03 + ",\r\nB01,2,,\r\nB01,3,,\r\nD99,\r\n");
        ParcelFile read = readParcels(path);
        EXPECT_TRUE(read.issues.empty());
        EXPECT_TRUE(read.parcels.front().leftOut.empty());
        return read.parcels.front();
    }
    std::vector<EdgeDisagreement> disagreements(const std::string& b, const std::string& c03) {
        return edgeDisagreements(triangle(b, c03));
    }

    testing::TempFolder folder_;
};

TEST_F(ParcelEdgesTest, BearingsTurnClockwiseFromNorth) {
    Parcel parcel;
    for (const auto& [x, y] :
         std::vector<std::pair<double, double>>{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 10}}) {
        ParcelCorner& corner = parcel.corners.emplace_back();
        corner.x = x;
        corner.y = y;
    }
    const std::vector<EdgeMeasure> edges = edgeMeasures(parcel);
    ASSERT_EQ(edges.size(), 5u);
    EXPECT_EQ(edges[0].bearing, 0);    // north
    EXPECT_EQ(edges[1].bearing, 90);   // east
    EXPECT_EQ(edges[2].bearing, 180);  // south
    EXPECT_EQ(edges[3].length, 0);     // a corner written twice in a row: no direction
    EXPECT_FALSE(edges[3].bearing);
    EXPECT_EQ(edges[4].bearing, 270);  // west, closing the ring
    EXPECT_EQ(edges[4].length, 10);
}

TEST_F(ParcelEdgesTest, CoordinatesRoundedToTheMillimetreExplainAboutAMinuteOn5Metres) {
    // B 1 mm east of north: 41.25″ off north, which rounding of the four coordinates explains
    // up to asin(√2 mm / 5 m) = 58.3″, and the C03 bearing's own 0.5″ more.
    EXPECT_TRUE(disagreements("5.000,0.001", "5.000,0.0000").empty());
    const auto off = disagreements("5.000,0.003", "5.000,0.0000");
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].corner, 0u);
    EXPECT_EQ(off[0].quantity, EdgeQuantity::Bearing);
    EXPECT_NEAR(off[0].difference * 3600, 123.75, 0.01);
    EXPECT_NEAR(off[0].explained * 3600, 58.84, 0.01);
    // Written with a tenth of a millimetre, the same 41.25″ are too much.
    EXPECT_EQ(disagreements("5.0000,0.0010", "5.000,0.0000").size(), 1u);
}

TEST_F(ParcelEdgesTest, BearingsCompareTheShortWayRoundNorth) {
    // 359°59′18.75″ against 0°00′00″ is 41.25″, not nearly a full turn.
    EXPECT_TRUE(disagreements("5.000,-0.001", "5.000,0.0000").empty());
    EXPECT_TRUE(disagreements("5.000,0.001", "5.000,359.5959").empty());
    const auto off = disagreements("5.000,-0.001", "5.000,0.0200");
    ASSERT_EQ(off.size(), 1u);
    EXPECT_NEAR(off[0].difference * 3600, 161.25, 0.01);
}

TEST_F(ParcelEdgesTest, LengthsAllowForTheRoundingOfCoordinatesAndOfTheC03Length) {
    // 3-4-5: coordinates explain √2 mm, the C03 length half a millimetre.
    EXPECT_TRUE(disagreements("3.000,4.000", "5.001,53.0748").empty());
    const auto off = disagreements("3.000,4.000", "5.002,53.0748");
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].quantity, EdgeQuantity::Length);
    EXPECT_EQ(off[0].written, 5.002);
    EXPECT_EQ(off[0].computed, 5);
    // A length written to the centimetre is allowed half a centimetre.
    EXPECT_TRUE(disagreements("3.000,4.000", "5.00,53.0748").empty());
    EXPECT_EQ(disagreements("3.000,4.000", "5.006,53.0748").size(), 1u);
}

TEST_F(ParcelEdgesTest, ShownPlacesFollowTheCoordinatesAndTheC03Beside) {
    const Parcel parcel = triangle("3.000,4.000", "5.0001,53.074836");
    EXPECT_EQ(edgePlaces(parcel, 0).length, 4);
    EXPECT_EQ(edgePlaces(parcel, 0).secondDecimals, 2);
    EXPECT_EQ(edgePlaces(parcel, 1).length, 3);
    EXPECT_EQ(edgePlaces(parcel, 1).secondDecimals, 0);
    EXPECT_EQ(lengthText(5, 3), "5.000");
}

}  // namespace

}  // namespace zelanto::coords
