#include "coords/parcels.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/decimal_number.h"
#include "coords/dms_angle.h"
#include "coords/parcel_issue_text.h"
#include "coords/parcel_measure.h"
#include "coords/sim_read_error.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

// Four points at the corners of the unit square and a fifth, lines 1 to 7.
const std::string kPoints =
    "A00,\r\n"
    "A01,1,P1,0,0,0,\r\n"
    "A01,2,P2,0,1,0,\r\n"
    "A01,3,P3,1,1,0,\r\n"
    "A01,4,P4,1,0,0,\r\n"
    "A01,5,P5,2,0,0,\r\n"
    "A99,\r\n";

std::vector<std::pair<double, double>> coordinatesOf(const Parcel& parcel) {
    std::vector<std::pair<double, double>> xy;
    for (const auto& corner : parcel.corners) {
        xy.emplace_back(corner.x, corner.y);
    }
    return xy;
}

std::vector<std::string> namesOf(const Parcel& parcel) {
    std::vector<std::string> names;
    for (const auto& corner : parcel.corners) {
        names.push_back(corner.name);
    }
    return names;
}

// What the "D00" record of a parcel gives: number, name, kind and its line.
using Heading = std::tuple<std::string, std::string, std::string, long>;

Heading headingOf(const Parcel& parcel) {
    return {parcel.number, parcel.name, parcel.kind, parcel.line};
}

using Corners = std::vector<std::pair<double, double>>;
using Names = std::vector<std::string>;

class ParcelReaderTest : public ::testing::Test {
protected:
    ParcelFile read(const std::string& bytes) { return readParcels(file(bytes)); }
    std::filesystem::path file(const std::string& bytes) {
        const auto path = folder_ / "p.sim";
        testing::writeBytes(path, bytes);
        return path;
    }
    std::vector<std::string> messages(const ParcelFile& parcels) {
        std::vector<std::string> texts;
        for (const auto& issue : parcels.issues) {
            texts.push_back(describeParcelIssue("p.sim", issue));
        }
        for (const auto& parcel : parcels.parcels) {
            for (const auto& record : parcel.leftOut) {
                texts.push_back(describeLeftOutRecord("p.sim", parcel, record));
            }
        }
        return texts;
    }

    testing::TempFolder folder_;
};

TEST_F(ParcelReaderTest, ReadsBlocksAfterThePointsEndAndPastAFinalA99End) {
    const ParcelFile read = this->read(kPoints +
                                       "Z00,parcels,\r\n"
                                       "D00,  7 ,lot 7 , 1,\r\n"
                                       "B01,1,P1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nB01,4,P4,\r\n"
                                       "D99,\r\n"
                                       "Z00,between,\r\n"
                                       "D00,8,tri,2,\r\n"
                                       "B01,1,P1,\r\nZ00,a comment inside,\r\nB01,3,P3,\r\n"
                                       "B01,5,P5,\r\nD99,\r\n"
                                       "A99,END\r\n");
    EXPECT_TRUE(read.issues.empty());
    ASSERT_EQ(read.parcels.size(), 2u);
    const Parcel& lot = read.parcels[0];
    EXPECT_EQ(headingOf(lot), (Heading{"7", "lot 7", "1", 9}));
    EXPECT_EQ(coordinatesOf(lot), (Corners{{0, 0}, {0, 1}, {1, 1}, {1, 0}}));
    EXPECT_EQ(lot.decimals, 0);
    EXPECT_EQ(parcelArea(lot), 1);
    EXPECT_EQ(read.parcels[1].number, "8");
    EXPECT_EQ(namesOf(read.parcels[1]), (Names{"P1", "P3", "P5"}));
    EXPECT_EQ(parcelArea(read.parcels[1]), 1);
}

TEST_F(ParcelReaderTest, CornersMayComeBeforeThePointsTheyReferTo) {
    const ParcelFile read = this->read("D00,1,a,1,\nB01,3,,\nB01,1,,\nB01,2,,\nD99,\n" + kPoints);
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(namesOf(read.parcels[0]), (Names{"P3", "P1", "P2"}));
}

TEST_F(ParcelReaderTest, NumbersCompareAsNumbersAndWinOverNames) {
    const ParcelFile read = this->read(
        "A01,001,A,10.5,20.25,0,\nA01,  2,B,11,20,0,\nA01,\"3 \",C,11,21,0,\nA99,\n"
        "D00,1,x,1,\n"
        "B01,    1,Pt-1,\n"  // padded; the point is written 001
        "B01,2.0,,\n"
        "B01,3,A,\n"  // the number finds C; the name does not count
        "D99,\n");
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(namesOf(read.parcels[0]), (Names{"A", "B", "C"}));
    EXPECT_EQ(read.parcels[0].corners[0].number, "001");
    EXPECT_EQ(read.parcels[0].decimals, 2);
}

TEST_F(ParcelReaderTest, CornersReferredToByNameOnly) {
    // Corner by name where the number is empty, and where no point has it; point numbers that are
    // no numbers compare as text.
    const ParcelFile read = this->read(
        "A01,K1,北,4,0,0,\nA01,K2,東,0,3,0,\nA01,K3,西,0,0,0,\nA99,\n"
        "D00,9,三角,1,\nB01,,北,\nB01,K2,,\nB01,77,西,\nD99,\n");
    ASSERT_TRUE(read.issues.empty());
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(coordinatesOf(read.parcels[0]), (Corners{{4, 0}, {0, 3}, {0, 0}}));
    EXPECT_EQ(parcelArea(read.parcels[0]), 6);
    EXPECT_EQ(parcelPerimeter(read.parcels[0]), 12);
}

TEST_F(ParcelReaderTest, WhereTwoPointsShareANumberOrNameTheFirstCounts) {
    const ParcelFile read = this->read(
        "A01,1,A,1,1,0,\nA01,1,B,2,2,0,\nA01,3,C,3,3,0,\nA01,4,C,4,4,0,\nA01,5,D,5,6,0,\nA99,\n"
        "D00,1,x,1,\nB01,1,,\nB01,,C,\nB01,5,,\nD99,\n");
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(coordinatesOf(read.parcels[0]), (Corners{{1, 1}, {3, 3}, {5, 6}}));
}

TEST_F(ParcelReaderTest, Utf8FilesAndAnyLineEnd) {
    const ParcelFile read = this->read(
        "A01,1,境界1,0,0,0,\rA01,2,境界2,0,2.5,0,\nA01,3,境界3,2,0,0,\r\nA99,\r"
        "D00,1,宅地,1,\nB01,,境界1,\rB01,,境界2,\nB01,,境界3,\r\nD99,");
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(read.parcels[0].name, "宅地");
    EXPECT_EQ(parcelArea(read.parcels[0]), 2.5);
    EXPECT_EQ(read.parcels[0].decimals, 1);
}

TEST_F(ParcelReaderTest, TheTenCornerParcelWithPaddedNumbers) {
    // The sample's 40 points, its block of another layout, then "Z00,画地データ,", a block of ten
    // corners whose numbers are padded ("B01,    1,KBM1,") and "A99,END"; all in code page 932.
    const ParcelFile read = readParcels(ZELANTO_FIXTURES "/parcels_padded.sim");
    EXPECT_TRUE(read.issues.empty());
    ASSERT_EQ(read.parcels.size(), 1u);
    const Parcel& parcel = read.parcels[0];
    EXPECT_EQ(headingOf(parcel), (Heading{"1", "plygon", "1", 51}));
    EXPECT_EQ(namesOf(parcel),
              (Names{"KBM1", "P13", "P22", "P15", "T2", "P20", "P38", "P26", "P25", "P18"}));
    EXPECT_EQ(parcel.corners[4].number, "3");
    EXPECT_EQ(parcel.corners[4].x, -31249.7);
    EXPECT_EQ(parcel.corners[4].y, 41748.801);
    // The sum of X·(Yn+1 − Yn−1) over the ten corners, in exact decimals, is −542460.300118.
    EXPECT_EQ(base::numberText(parcelArea(parcel)), "271230.150059");
    EXPECT_EQ(base::numberText(areaTable(parcel).doubleArea), "542460.300118");
    EXPECT_EQ(base::numberText(parcelPerimeter(parcel)), "2030.52073921924");
}

TEST_F(ParcelReaderTest, EdgesBelongToTheCornerBeforeThemAndOtherRecordsStayInTheBlock) {
    const ParcelFile read = this->read(kPoints +
                                       "D00,1,lot,1,\n"
                                       "B01,1,P1,\nC03,1.000,90.0000,\n"  // line 9
                                       "B01,2,P2,\nX01,a, b ,\nC03, 1 ,180,\n"
                                       "B01,3,P3,\n"
                                       "B01,4,P4,\nC03,1.000,0.0000,\nD99,\n");
    ASSERT_TRUE(read.issues.empty());
    ASSERT_EQ(read.parcels.size(), 1u);
    const Parcel& lot = read.parcels[0];
    ASSERT_EQ(lot.corners.size(), 4u);
    ASSERT_TRUE(lot.corners[0].edge);
    EXPECT_EQ(lot.corners[0].edge->line, 10);
    EXPECT_EQ(lot.corners[0].edge->length, 1);
    EXPECT_EQ(dmsText(lot.corners[0].edge->bearing), "90°00′00″");
    // The record between a corner and its edge does not part them.
    ASSERT_TRUE(lot.corners[1].edge);
    EXPECT_EQ(lot.corners[1].edge->lengthText, "1");
    EXPECT_DOUBLE_EQ(lot.corners[1].edge->bearingRounding, 0.5);
    EXPECT_FALSE(lot.corners[2].edge);
    EXPECT_TRUE(lot.corners[3].edge);
    ASSERT_EQ(lot.leftOut.size(), 1u);
    EXPECT_EQ(lot.leftOut[0].code, "X01");
    EXPECT_EQ(lot.leftOut[0].fields, (std::vector<std::string>{"a", "b", ""}));
    EXPECT_EQ(lot.leftOut[0].line, 12);
    EXPECT_EQ(messages(read), (std::vector<std::string>{
                                  "p.sim:12: 画地 1「lot」の中の「X01」は構成点（B01）でも辺（C03）"
                                  "でもないので、画地に入れていません"}));
}

TEST_F(ParcelReaderTest, EdgesWithoutACornerOfTheirOwnOrThatDoNotReadAreLeftOut) {
    const ParcelFile read = this->read(kPoints +
                                       "D00,1,lot,1,\n"
                                       "C03,1.000,90.0000,\n"  // before any corner
                                       "B01,1,,\nC03,1.000,90.0000,\nC03,2.000,90.0000,\n"
                                       "B01,2,,\nC03,abc,180.0000,\n"
                                       "B01,3,,\nC03,1.000,90.6000,\n"
                                       "B01,4,,\nC03,-1.000,0.0000,\nD99,\n");
    ASSERT_EQ(read.parcels.size(), 1u);
    const Parcel& lot = read.parcels[0];
    EXPECT_EQ(lot.corners[0].edge->length, 1);
    EXPECT_FALSE(lot.corners[1].edge);
    std::vector<LeftOutReason> reasons;
    for (const auto& record : lot.leftOut) {
        reasons.push_back(record.reason);
    }
    EXPECT_EQ(reasons, (std::vector<LeftOutReason>{
                           LeftOutReason::EdgeWithoutCorner, LeftOutReason::EdgeWithoutCorner,
                           LeftOutReason::UnreadableEdge, LeftOutReason::UnreadableEdge,
                           LeftOutReason::UnreadableEdge}));
    const std::vector<std::string> texts = messages(read);
    EXPECT_EQ(texts[0],
              "p.sim:9: 画地 1「lot」の「C03」は、辺のまだない構成点の後にないので、使っていません"
              "（「B01」ごとにその後に一つの「C03」を期待）");
    EXPECT_EQ(texts[2],
              "p.sim:14: 画地 1「lot」の「C03」の辺長「abc」か方向角「180.0000」が読めないので、"
              "使っていません（0 以上の数値の辺長と ddd.mmss の方向角を期待）");
}

TEST_F(ParcelReaderTest, ACornerWrittenTwiceStaysAndTheAreaIsThatOfTheRingAsWritten) {
    // The unit square with a spike from P4 (1,0) out to P5 (2,0) and back.
    const ParcelFile read =
        this->read(kPoints +
                   "D00,1,spike,1,\nB01,1,,\nB01,2,,\nB01,3,,\nB01,4,,\nB01,5,,\n"
                   "B01,4,,\nD99,\n");
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(namesOf(read.parcels[0]), (Names{"P1", "P2", "P3", "P4", "P5", "P4"}));
    EXPECT_EQ(parcelArea(read.parcels[0]), 1);
    EXPECT_EQ(parcelPerimeter(read.parcels[0]), 6);
}

TEST_F(ParcelReaderTest, TheSamplesBlockOfAnotherLayoutIsPassedOver) {
    const ParcelFile read = readParcels(ZELANTO_FIXTURES "/instrument_padded.sim");
    EXPECT_TRUE(read.parcels.empty());
    EXPECT_TRUE(read.issues.empty());
    EXPECT_TRUE(readParcels(ZELANTO_FIXTURES "/handmade_lf.sim").parcels.empty());
}

TEST_F(ParcelReaderTest, ACornerThatFindsNoPointDropsItsParcelOnly) {
    const ParcelFile read = this->read(kPoints +
                                       "D00,7,lot,1,\nB01,1,P1,\nB01,9,X9,\nB01,3,P3,\n"
                                       "B01,,,\nD99,\n"
                                       "D00,8,ok,1,\nB01,1,,\nB01,2,,\nB01,3,,\nD99,\n");
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(read.parcels[0].number, "8");
    ASSERT_EQ(read.issues.size(), 2u);
    EXPECT_EQ(read.issues[0].problem, ParcelProblem::NoSuchPoint);
    EXPECT_EQ(read.issues[0].line, 10);
    EXPECT_EQ(read.issues[0].cornerNumber, "9");
    EXPECT_EQ(read.issues[0].cornerName, "X9");
    EXPECT_EQ(messages(read),
              (std::vector<std::string>{
                  "p.sim:10: 画地 7「lot」の構成点（電算No「9」、測点名「X9」）に当たる点が"
                  "ありません（その電算No か測点名の A01 を期待）",
                  "p.sim:12: 画地 7「lot」の構成点（電算No「」、測点名「」）に当たる点が"
                  "ありません（その電算No か測点名の A01 を期待）"}));
}

TEST_F(ParcelReaderTest, ABlockWithoutD99EndsAtTheNextBlockAPointRecordOrTheFileEnd) {
    const ParcelFile read = this->read(kPoints +
                                       "D00,1,a,1,\nB01,1,,\nB01,2,,\nB01,3,,\n"  // cut by D00
                                       "D00,2,b,1,\nB01,1,,\nB01,2,,\nB01,4,,\nD99,\n"
                                       "D00,,c,1,\nB01,1,,\nB01,2,,\nB01,3,,\n"  // cut by A99
                                       "A99,END\n"
                                       "D00,4,d,1,\nB01,1,,\n");  // cut by the end
    ASSERT_EQ(read.parcels.size(), 1u);
    EXPECT_EQ(read.parcels[0].number, "2");
    ASSERT_EQ(read.issues.size(), 3u);
    EXPECT_EQ(read.issues[0].problem, ParcelProblem::NoBlockEnd);
    EXPECT_EQ(read.issues[0].cutAt, 12);
    EXPECT_EQ(read.issues[2].cutAt, 0);
    EXPECT_EQ(
        messages(read),
        (std::vector<std::string>{
            "p.sim:8: 画地 1「a」が「D99」で閉じていません（12 行目の「D00」の前に「D99」を期待）",
            "p.sim:17: 画地「c」が「D99」で閉じていません（21 行目の「A99」の前に「D99」を期待）",
            "p.sim:22: 画地 4「d」が「D99」で閉じていません（ファイルの終わりの前に"
            "「D99」を期待）"}));
}

TEST_F(ParcelReaderTest, AParcelNeedsThreeCorners) {
    const ParcelFile read =
        this->read(kPoints + "D00,1,two,1,\nB01,1,,\nB01,2,,\nD99,\nD00,2,none,1,\nD99,\n");
    EXPECT_TRUE(read.parcels.empty());
    EXPECT_EQ(messages(read),
              (std::vector<std::string>{
                  "p.sim:8: 画地 1「two」の構成点が 2 点しかありません（3 点以上を期待）",
                  "p.sim:12: 画地 2「none」の構成点が 0 点しかありません（3 点以上を期待）"}));
}

TEST_F(ParcelReaderTest, IssuesComeInTheOrderOfTheirLines) {
    // The missing point is found only once the file is read, after the later short block.
    const ParcelFile read = this->read(kPoints +
                                       "D00,1,a,1,\nB01,9,,\nB01,2,,\nB01,3,,\nD99,\n"
                                       "D00,2,b,1,\nD99,\n");
    ASSERT_EQ(read.issues.size(), 2u);
    EXPECT_EQ(read.issues[0].line, 9);
    EXPECT_EQ(read.issues[1].line, 13);
}

TEST_F(ParcelReaderTest, AFileThatDoesNotReadThrowsAsThePointReaderDoes) {
    try {
        read("A01,1,P1,0,0,0,\nA01,2,P2,x1,0,0,\nA99,\n");
        FAIL() << "no failure";
    } catch (const SimReadError& error) {
        EXPECT_EQ(describeReadError(error),
                  (folder_ / "p.sim").string() +
                      ":2: 2 点目のX座標「x1」は数値ではありません（数値を期待）");
    }
    try {
        read(kPoints + std::string("D00,1,a\0b,1,\n", 12));
        FAIL() << "no failure";
    } catch (const SimReadError& error) {
        EXPECT_EQ(error.problem(), SimReadProblem::NulByte);
        EXPECT_EQ(error.line(), 8);
        EXPECT_NE(describeReadError(error).find(":8: レコードの項目に NUL バイトがあります"),
                  std::string::npos);
    }
    EXPECT_THROW(readParcels(folder_ / "missing.sim"), SimReadError);
    EXPECT_THROW(readParcels(folder_.path()), SimReadError);
}

}  // namespace
}  // namespace zelanto::coords
