#include <gtest/gtest.h>
#include <random>

#include "coords/sim_reader.h"
#include "tests/temp_folder.h"

namespace zelanto::coords {
namespace {

using testing::TempFolder;
using testing::writeBytes;

std::vector<std::string> itemsOf(const std::string& bytes,
                                 SimEncoding encoding = SimEncoding::Cp932) {
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    SimItemReader reader(file, encoding);
    std::vector<std::string> items;
    while (auto item = reader.next()) {
        items.push_back(item->text);
    }
    std::fclose(file);
    return items;
}

using Items = std::vector<std::string>;

TEST(SimItems, PointLineGivesSevenItemsTheLastEmpty) {
    EXPECT_EQ(itemsOf("A01,12,BM3,-105.25,230.5,12.345,\r\n"),
              (Items{"A01", "12", "BM3", "-105.25", "230.5", "12.345", ""}));
    EXPECT_EQ(itemsOf("A99,\r\n"), (Items{"A99", ""}));
    EXPECT_EQ(itemsOf("A99,"), (Items{"A99", ""}));  // no line end after the last line
    EXPECT_EQ(itemsOf("A99"), (Items{"A99"}));
}

TEST(SimItems, EveryKindOfLineEndEndsALineAndEmptyLinesGiveNoItem) {
    EXPECT_EQ(itemsOf("a,\r\nb,\nc,\rd\r\n\r\n\n\re"),
              (Items{"a", "", "b", "", "c", "", "d", "e"}));
    EXPECT_EQ(itemsOf(",,x\n"), (Items{"", "", "x"}));
    EXPECT_EQ(itemsOf(""), Items{});
    EXPECT_EQ(itemsOf("\r\n  \t \r\n"), Items{});
}

TEST(SimItems, BlanksAroundUnquotedItemsAreTrimmedQuotedItemsKeepThem) {
    EXPECT_EQ(itemsOf("A01,     1,KBM1      ,  -30726.388,\t42172.990 ,,\r\n"),
              (Items{"A01", "1", "KBM1", "-30726.388", "42172.990", "", ""}));
    EXPECT_EQ(itemsOf("\" A,1 \",x\n"), (Items{" A,1 ", "x"}));
    EXPECT_EQ(itemsOf("  \"q\"  ,x"), (Items{"q", "x"}));
    EXPECT_EQ(itemsOf("\"a\"junk,b"), (Items{"a", "b"}));  // after the closing quote: dropped
    EXPECT_EQ(itemsOf("\"two\r\nlines\",b"), (Items{"two\r\nlines", "b"}));
    EXPECT_EQ(itemsOf("\"unclosed"), (Items{"unclosed"}));
    EXPECT_EQ(itemsOf("a\"b,c"), (Items{"a\"b", "c"}));  // a quote inside is kept
}

TEST(SimItems, ConvertedFromTheFilesEncodingWithStrayBytesKeptAsEscapes) {
    EXPECT_EQ(itemsOf("\x93\x5F\x96\xBC,\xFF\n"), (Items{"点名", "\xEE\xBF\xBF"}));
    EXPECT_EQ(itemsOf("点名,\xFF\n", SimEncoding::Utf8), (Items{"点名", "\xEE\xBF\xBF"}));
}

TEST(SimItems, ItemsKeepTheLineTheyBeginOn) {
    const std::string bytes = "A00,\r\n\r\nA01,\"x\ny\",z\n";
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    SimItemReader reader(file, SimEncoding::Cp932);
    std::vector<long> lines;
    while (auto item = reader.next()) {
        lines.push_back(item->line);
    }
    std::fclose(file);
    EXPECT_EQ(lines, (std::vector<long>{1, 1, 3, 3, 4}));
}

class SimReaderTest : public ::testing::Test {
protected:
    std::filesystem::path file(const std::string& bytes) {
        const auto path = folder_ / ("f" + std::to_string(++count_) + ".sim");
        writeBytes(path, bytes);
        return path;
    }

    // Reads every point of `bytes` as the import does; rethrows a read failure.
    std::vector<SimPoint> readAll(const std::string& bytes, int limit = 50000) {
        SimReader reader(file(bytes));
        reader.skipToFirstPoint();
        std::vector<SimPoint> points;
        while (static_cast<int>(points.size()) < limit) {
            points.push_back(reader.readPoint());
            if (points.back().last) {
                break;
            }
        }
        return points;
    }

    SimReadError failureOf(const std::string& bytes) {
        try {
            readAll(bytes);
        } catch (const SimReadError& error) {
            return error;
        }
        ADD_FAILURE() << "no read failure";
        return SimReadError(SimReadProblem::CannotRead, "", 0, 0, SimItemRole::NoItem, "");
    }

    TempFolder folder_;
    int count_ = 0;
};

const std::string kHeader =
    "Z00,/orvik simformat ver.1.0/,\r\nG00,01,title,\r\nZ00,/data/,\r\nA00,\r\n";

TEST_F(SimReaderTest, HeaderThreePointsAndA99) {
    const auto points = readAll(kHeader +
                                "A01,1,P1,100.5,200.25,10,\r\n"
                                "A01,007,P2,-5,0.001,2.5,\r\n"
                                "A01,3,,,,,\r\n"
                                "A99,\r\n");
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].number.text, "007");
    EXPECT_EQ(points[1].name.text, "P2");
    EXPECT_EQ(points[1].y.item.text, "0.001");
    EXPECT_FALSE(points[0].last);
    EXPECT_FALSE(points[1].last);
    EXPECT_TRUE(points[2].last);
    EXPECT_EQ(points[2].index, 3);
    EXPECT_EQ(points[2].name.text, "");
    EXPECT_EQ(points[2].x.item.line, 7);
}

TEST_F(SimReaderTest, CoordinatesConvertWhenAsked) {
    SimReader reader(file("A01,1,P,\" 12.5 \",,abc,\nA99,\n"));
    reader.skipToFirstPoint();
    const SimPoint point = reader.readPoint();
    EXPECT_EQ(point.x.number(), 12.5);
    EXPECT_EQ(point.y.number(), 0);
    try {
        point.elevation.number();
        FAIL();
    } catch (const SimReadError& error) {
        EXPECT_EQ(error.problem(), SimReadProblem::NotANumber);
        EXPECT_EQ(error.line(), 1);
        EXPECT_EQ(error.point(), 1);
        EXPECT_EQ(error.role(), SimItemRole::Elevation);
        EXPECT_EQ(error.found(), "abc");
    }
}

TEST_F(SimReaderTest, QuotedCoordinatesReadLikeTheSameNumberWithoutQuotesOrBlanks) {
    struct Case {
        const char* item;
        double number;
    };
    for (const Case& c : {Case{"12.5", 12.5}, Case{"\"12.5\"", 12.5}, Case{"\" 12.5 \"", 12.5},
                          Case{"\"\t12.5\t\"", 12.5}, Case{"\" \t-3e2\t \"", -300}, Case{"\"\"", 0},
                          Case{"\" \t \"", 0}}) {
        SimReader reader(file(std::string("A01,1,P,") + c.item + ",0,0,\nA99,\n"));
        reader.skipToFirstPoint();
        EXPECT_EQ(reader.readPoint().x.number(), c.number) << c.item;
    }
}

TEST_F(SimReaderTest, HeaderSkipLooksAtTwentyItemsForAnExactA01) {
    // "a01" is no record code: the 21st item becomes the first point's number.
    std::string header;
    for (int i = 0; i < 10; ++i) {
        header += "a01,\r\n";
    }
    const auto points = readAll(header + "N,P,1,2,3,,A99,\r\n");
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].number.text, "N");
    EXPECT_TRUE(points[0].last);

    // An "A01" as the 21st item is read as a point number.
    const auto late = readAll(header + "A01,N,P,1,2,3,A99,");
    EXPECT_EQ(late[0].number.text, "A01");
}

TEST_F(SimReaderTest, AnyOtherCodeBetweenPointsIsOneMorePoint) {
    const auto points = readAll("A01,1,P1,1,2,3,\nA02,2,P2,4,5,6,\nA99,\n");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1].name.text, "P2");
}

TEST_F(SimReaderTest, MissingClosingCommaShiftsTheItems) {
    // Without the comma the line end makes no empty item: the next code lands in its place.
    const auto error = failureOf("A01,1,P1,1,2,3\nA01,2,P2,4,5,6\nA01,3,P3,7,8,9\nA99,\n");
    EXPECT_EQ(error.problem(), SimReadProblem::EndOfFile);
}

TEST_F(SimReaderTest, LastPointWithoutA99FailsAtTheEndOfTheFile) {
    SimReader reader(file("A01,1,P1,1,2,3,\nA01,2,P2,4,5,6,\n"));
    reader.skipToFirstPoint();
    EXPECT_EQ(reader.readPoint().name.text, "P1");
    try {
        reader.readPoint();
        FAIL();
    } catch (const SimReadError& error) {
        EXPECT_EQ(error.problem(), SimReadProblem::EndOfFile);
        EXPECT_EQ(error.point(), 2);
        EXPECT_EQ(error.role(), SimItemRole::NextRecord);
        EXPECT_EQ(error.line(), 3);
    }
    EXPECT_THROW(reader.readPoint(), SimReadError);  // nothing more is read after a failure
}

TEST_F(SimReaderTest, ShortFileWithoutA01FailsInTheSkip) {
    EXPECT_EQ(failureOf("").problem(), SimReadProblem::NoFirstPoint);
    EXPECT_EQ(failureOf("Z00,x,\nA00,\n").problem(), SimReadProblem::NoFirstPoint);
}

TEST_F(SimReaderTest, LimitStopsReadingWithoutNotice) {
    std::string bytes = "A01,";
    for (int i = 1; i <= 5; ++i) {
        bytes += std::to_string(i) + ",P,1,2,3,\nA01,";
    }
    EXPECT_EQ(readAll(bytes, 3).size(), 3u);
}

TEST_F(SimReaderTest, FilesThatCannotBeOpened) {
    EXPECT_THROW(SimReader(folder_ / "missing.sim"), SimReadError);
    try {
        SimReader reader(folder_.path());
        FAIL();
    } catch (const SimReadError& error) {
        EXPECT_EQ(error.problem(), SimReadProblem::CannotOpen);
    }
}

TEST_F(SimReaderTest, NulBytesAndHugeItemsAreReadFailures) {
    EXPECT_EQ(failureOf(std::string("A01,1,P\0,1,2,3,\nA99,\n", 20)).problem(),
              SimReadProblem::NulByte);
    const auto error = failureOf("A01,1," + std::string(1 << 20, 'x') + ",1,2,3,\nA99,\n");
    EXPECT_EQ(error.problem(), SimReadProblem::ItemTooLong);
    EXPECT_EQ(error.role(), SimItemRole::PointName);
}

TEST_F(SimReaderTest, RandomBytesNeverCrash) {
    std::mt19937 random(932);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<size_t>(random() % 4096), '\0');
        for (char& byte : bytes) {
            // Mostly separators and digits, so that the reader gets past the header.
            static const char kAlphabet[] = ",,,\r\n\"  0123456789.-eAZ\x81\x93\xFF";
            byte = kAlphabet[random() % (sizeof kAlphabet - 1)];
        }
        try {
            const auto points = readAll(bytes);
            EXPECT_TRUE(points.back().last || points.size() == 50000u);
        } catch (const SimReadError&) {
        }
    }
}

TEST_F(SimReaderTest, Utf8FilesReadWithOrWithoutByteOrderMark) {
    const std::string points = "A01,1,点名,1,2,3,\r\nA01,2,ＢＭ〜1,4,5,6,\r\nA99,\r\n";
    for (const std::string& bytes : {points, "\xEF\xBB\xBF" + points}) {
        const auto read = readAll(bytes);
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[0].name.text, "点名");
        EXPECT_EQ(read[1].name.text, "ＢＭ〜1");
    }
    // Only a byte-order mark before the header: no byte of it reaches the first item.
    EXPECT_EQ(readAll("\xEF\xBB\xBF"
                      "A01,1,P,1,2,3,,A99,")[0]
                  .number.text,
              "1");
}

TEST_F(SimReaderTest, Utf8NameWithoutACodePage932FormFailsNamingThePoint) {
    const auto error = failureOf("A01,1,点,1,2,3,\nA01,2,吉\xF0\xA0\xAE\xB7野,4,5,6,\nA99,\n");
    EXPECT_EQ(error.problem(), SimReadProblem::NoAnsiForm);
    EXPECT_EQ(error.point(), 2);
    EXPECT_EQ(error.role(), SimItemRole::PointName);
    EXPECT_EQ(error.line(), 2);
    EXPECT_EQ(error.found(), "吉\xF0\xA0\xAE\xB7野");
    // Bytes that are not UTF-8 in a file marked as UTF-8 have no character to write either.
    EXPECT_EQ(failureOf("\xEF\xBB\xBF"
                        "A01,\x81\x40,P,1,2,3,\nA99,\n")
                  .role(),
              SimItemRole::PointNumber);
}

TEST_F(SimReaderTest, SampleFilesRead) {
    auto read = [&](const char* name) {
        SimReader reader(std::filesystem::path(ZELANTO_FIXTURES) / name);
        reader.skipToFirstPoint();
        std::vector<SimPoint> points;
        do {
            points.push_back(reader.readPoint());
        } while (!points.back().last);
        return points;
    };
    const auto padded = read("instrument_padded.sim");
    ASSERT_EQ(padded.size(), 40u);
    EXPECT_EQ(padded[0].number.text, "1");
    EXPECT_EQ(padded[0].name.text, "KBM1");
    EXPECT_EQ(padded[3].name.text, "境界杭1");
    EXPECT_EQ(padded[6].elevation.item.text, "");

    const auto handmade = read("handmade_lf.sim");
    ASSERT_EQ(handmade.size(), 3u);
    EXPECT_EQ(handmade[0].number.text, "001");
    EXPECT_EQ(handmade[0].name.text, "A,1");
    EXPECT_EQ(handmade[2].number.text, "0012");
    EXPECT_EQ(handmade[2].name.text, "点3");
}

struct Record {
    long line;
    std::vector<std::string> items;
    bool operator==(const Record&) const = default;
};

std::vector<Record> recordsOf(const std::string& bytes) {
    const TempFolder folder;
    writeBytes(folder / "records.sim", bytes);
    SimReader reader(folder / "records.sim");
    std::vector<Record> records;
    reader.readRecords([&](const SimRecord& record) {
        Record taken{record.line, {}};
        for (const auto& item : record.items) {
            taken.items.push_back(item.text);
        }
        records.push_back(taken);
    });
    return records;
}

TEST(SimRecords, ARecordIsTheItemsOfOneLineWithTheLineItBeginsOn) {
    EXPECT_EQ(recordsOf("A01,  1 ,P1,1,2,3,\r\n\r\nA99,END\nD00,1\rB01,,,"),
              (std::vector<Record>{{1, {"A01", "1", "P1", "1", "2", "3", ""}},
                                   {3, {"A99", "END"}},
                                   {4, {"D00", "1"}},
                                   {5, {"B01", "", "", ""}}}));
    EXPECT_TRUE(recordsOf("").empty());
    EXPECT_TRUE(recordsOf("\r\n \r\n").empty());
}

TEST(SimRecords, AQuotedLineEndStaysInsideItsRecord) {
    EXPECT_EQ(recordsOf("B01,1,\"two\r\nlines\",\r\nD99,\r\n"),
              (std::vector<Record>{{1, {"B01", "1", "two\r\nlines", ""}}, {3, {"D99", ""}}}));
}

}  // namespace

}  // namespace zelanto::coords
