#include "coords/sim_read_error.h"

#include <gtest/gtest.h>

#include "coords/sim_reader.h"

namespace zelanto::coords {
namespace {

std::string described(SimReadProblem problem, long line, int point, SimItemRole role,
                      const std::string& found = "") {
    return describeReadError(SimReadError(problem, "/data/a.sim", line, point, role, found));
}

// The texts the command line tool prints and the window shows behind its message.
TEST(SimReadErrorText, NamesTheFileTheLineAndTheItem) {
    EXPECT_EQ(described(SimReadProblem::CannotOpen, 0, 0, SimItemRole::NoItem, "Is a directory"),
              "/data/a.sim: ファイルを開けません（Is a directory）");
    EXPECT_EQ(
        described(SimReadProblem::NoFirstPoint, 3, 0, SimItemRole::Header),
        "/data/a.sim:3: 先頭の 20 項目に「A01」がないままファイルが終わりました（「A01」を期待）");
    EXPECT_EQ(described(SimReadProblem::EndOfFile, 9, 7, SimItemRole::NextRecord),
              "/data/a.sim:9: 7 点目の次のレコードコードを読む前にファイルが終わりました"
              "（「A99」か次の点のレコードコードを期待）");
    EXPECT_EQ(described(SimReadProblem::NotANumber, 7, 5, SimItemRole::Y, "abc"),
              "/data/a.sim:7: 5 点目のY座標「abc」は数値ではありません（数値を期待）");
    EXPECT_EQ(described(SimReadProblem::ItemTooLong, 1, 0, SimItemRole::Header, "G00"),
              "/data/a.sim:1: ヘッダーの項目が長すぎます（「G00…」、" +
                  std::to_string(SimItemReader::kMaxItemBytes) + " バイトまで）");
    EXPECT_EQ(
        described(SimReadProblem::NulByte, 4, 2, SimItemRole::PointName),
        "/data/a.sim:4: 2 点目の測点名に NUL バイトがあります（テキストの SIM ファイルを期待）");
}

}  // namespace
}  // namespace zelanto::coords
