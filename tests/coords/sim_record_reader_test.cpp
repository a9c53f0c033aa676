#include "coords/sim_record_reader.h"

#include <gtest/gtest.h>

namespace zelanto::coords {
namespace {

struct Record {
    long line;
    std::vector<std::string> items;
    bool operator==(const Record&) const = default;
};

std::vector<Record> recordsOf(const std::string& bytes) {
    std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    SimRecordReader reader(file, SimEncoding::Cp932);
    std::vector<Record> records;
    SimRecord record;
    while (reader.next(record)) {
        Record taken{record.line, {}};
        for (const auto& item : record.items) {
            taken.items.push_back(item.text);
        }
        records.push_back(taken);
    }
    std::fclose(file);
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
