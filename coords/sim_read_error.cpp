#include "coords/sim_read_error.h"

#include "base/code_page_932.h"
#include "coords/sim_reader.h"

namespace zelanto::coords {
namespace {

std::string roleName(SimItemRole role) {
    switch (role) {
        case SimItemRole::NoItem:
        case SimItemRole::Header:
            return "ヘッダーの項目";
        case SimItemRole::PointNumber:
            return "電算No";
        case SimItemRole::PointName:
            return "測点名";
        case SimItemRole::X:
            return "X座標";
        case SimItemRole::Y:
            return "Y座標";
        case SimItemRole::Elevation:
            return "標高値";
        case SimItemRole::LineEnd:
            return "行末のカンマの後の空の項目";
        case SimItemRole::NextRecord:
            return "次のレコードコード";
        case SimItemRole::Record:
            return "レコードの項目";
    }
    return "";
}

// "5 点目のY座標" or "ヘッダーの項目".
std::string itemName(const SimReadError& error) {
    if (error.point() == 0) {
        return roleName(error.role());
    }
    return std::to_string(error.point()) + " 点目の" + roleName(error.role());
}

std::string expectedItem(SimItemRole role) {
    if (role == SimItemRole::NextRecord) {
        return "「A99」か次の点のレコードコード";
    }
    return roleName(role);
}

std::string problemText(const SimReadError& error) {
    switch (error.problem()) {
        case SimReadProblem::CannotOpen:
            return "ファイルを開けません（" + error.found() + "）";
        case SimReadProblem::CannotRead:
            return "読み込み中にエラーが発生しました";
        case SimReadProblem::NoFirstPoint:
            return "先頭の 20 項目に「A01」がないままファイルが終わりました（「A01」を期待）";
        case SimReadProblem::EndOfFile:
            return itemName(error) + "を読む前にファイルが終わりました（" +
                   expectedItem(error.role()) + "を期待）";
        case SimReadProblem::NotANumber:
            return itemName(error) + "「" + error.found() + "」は数値ではありません（数値を期待）";
        case SimReadProblem::ItemTooLong:
            return itemName(error) + "が長すぎます（「" + error.found() + "…」、" +
                   std::to_string(SimItemReader::kMaxItemBytes) + " バイトまで）";
        case SimReadProblem::NulByte:
            return itemName(error) + "に NUL バイトがあります（テキストの SIM ファイルを期待）";
        case SimReadProblem::NoAnsiForm:
            return itemName(error) + "「" + error.found() + "」の文字「" +
                   base::firstWithoutAnsiForm(error.found()).value_or("") +
                   "」はシフトJIS（コードページ932）にないため書き出せません";
    }
    return "";
}

}  // namespace

SimReadError::SimReadError(SimReadProblem problem, std::filesystem::path file, long line, int point,
                           SimItemRole role, std::string found)
    : std::runtime_error(file.string() + ":" + std::to_string(line) + ": SIM read failure"),
      problem_(problem),
      file_(std::move(file)),
      line_(line),
      point_(point),
      role_(role),
      found_(std::move(found)) {}

std::string describeReadError(const SimReadError& error) {
    std::string where = error.file().string();
    if (error.line() > 0) {
        where += ':';
        where += std::to_string(error.line());
    }
    return where + ": " + problemText(error);
}

std::string describeSimFileRefusal(const std::filesystem::path& path, SimFileRefusal refusal) {
    const char* why =
        refusal == SimFileRefusal::NoFile
            ? "ファイルが見つかりません"
            : "SIM ファイルではありません（名前が sim か SIM で終わる既存のファイルを期待）";
    return path.string() + ": " + why;
}

}  // namespace zelanto::coords
