#include "coords/parcel_edges.h"

#include <gtest/gtest.h>

#include "coords/parcel_reader.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

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
