#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/calc/calc_office.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::testing {

using platform::CellValue;
using platform::RangeAddress;
using platform::calc::CalcDocument;
using platform::calc::CalcOffice;
using platform::calc::CalcSheet;
using platform::calc::CellProperty;

// "A3:E5", "C:D" or "1:2", as the host writes addresses.
inline std::string addressText(const RangeAddress& range) {
    const auto column = [](int number) {
        std::string letters;
        for (; number > 0; number = (number - 1) / 26) {
            letters.insert(letters.begin(), static_cast<char>('A' + (number - 1) % 26));
        }
        return letters;
    };
    switch (range.kind) {
        case RangeAddress::Kind::Columns:
            return column(range.firstColumn) + ":" + column(range.lastColumn);
        case RangeAddress::Kind::Rows:
            return std::to_string(range.firstRow) + ":" + std::to_string(range.lastRow);
        case RangeAddress::Kind::Block:
            break;
    }
    return column(range.firstColumn) + std::to_string(range.firstRow) + ":" +
           column(range.lastColumn) + std::to_string(range.lastRow);
}

// A sheet of Calc as the UNO layer shows it, in memory: its cells hold what Calc's block
// transfer puts in them (texts stay texts), and every call is logged, such as
// "setDataArray A3:E5". A call can be made to fail.
class FakeCalcSheet : public CalcSheet {
public:
    std::string name;
    std::map<std::pair<int, int>, CellValue> cells;
    std::vector<std::string> log;
    std::vector<std::pair<std::string, std::vector<CellProperty>>> properties;
    std::map<std::string, std::int32_t> widths;   // by columns' address
    std::map<std::string, std::int32_t> heights;  // by rows' address
    std::vector<std::string> merged;
    std::map<std::string, std::int32_t> formatKeys;
    // Runs first in every call, with the call's log entry; may throw.
    std::function<void(const std::string&)> beforeCall = [](const std::string&) {};

    void setName(const std::string& newName) override {
        call("setName " + newName);
        name = newName;
    }
    void setColumnWidth(const RangeAddress& columns, std::int32_t width) override {
        call("setColumnWidth " + addressText(columns));
        widths[addressText(columns)] = width;
    }
    void setRowHeight(const RangeAddress& rows, std::int32_t height) override {
        call("setRowHeight " + addressText(rows));
        heights[addressText(rows)] = height;
    }
    void setProperties(const RangeAddress& range,
                       const std::vector<CellProperty>& values) override {
        call("setProperties " + addressText(range));
        properties.emplace_back(addressText(range), values);
    }
    void merge(const RangeAddress& range, bool mergeIt) override {
        call("merge " + addressText(range));
        if (mergeIt) {
            merged.push_back(addressText(range));
        }
    }
    std::int32_t numberFormatKey(const std::string& format) override {
        call("numberFormatKey " + format);
        return formatKeys.try_emplace(format, 100 + static_cast<int>(formatKeys.size()))
            .first->second;
    }
    void setDataArray(const RangeAddress& block, const std::vector<CellValue>& values) override {
        call("setDataArray " + addressText(block));
        auto value = values.begin();
        forEachCell(block, [&](int row, int column) {
            if (value->isEmpty()) {
                cells.erase({row, column});
            } else {
                cells[{row, column}] = *value;
            }
            ++value;
        });
    }
    std::vector<CellValue> dataArray(const RangeAddress& block) override {
        call("dataArray " + addressText(block));
        std::vector<CellValue> values;
        forEachCell(block, [&](int row, int column) { values.push_back(cell(row, column)); });
        return values;
    }
    void select(int row, int column) override {
        call("select " + std::to_string(row) + "," + std::to_string(column));
    }

    CellValue cell(int row, int column) const {
        const auto found = cells.find({row, column});
        return found == cells.end() ? CellValue() : found->second;
    }
    // The log entries that begin with `prefix`.
    std::vector<std::string> calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& entry : log) {
            if (entry.rfind(prefix, 0) == 0) {
                found.push_back(entry);
            }
        }
        return found;
    }

private:
    void call(const std::string& entry) {
        beforeCall(entry);
        log.push_back(entry);
    }
    template <typename Visit>
    static void forEachCell(const RangeAddress& block, Visit visit) {
        for (int row = block.firstRow; row <= block.lastRow; ++row) {
            for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
                visit(row, column);
            }
        }
    }
};

// A Calc document with one sheet named "Sheet1"; its window is titled "Untitled <n>".
class FakeCalcDocument : public CalcDocument {
public:
    explicit FakeCalcDocument(int number)
        : sheet(std::make_shared<FakeCalcSheet>()), title("Untitled " + std::to_string(number)) {
        sheet->name = "Sheet1";
    }

    std::optional<int> sheetIndex(const std::string& name) override {
        return name == sheet->name ? std::optional<int>(0) : std::nullopt;
    }
    std::shared_ptr<CalcSheet> sheetAt(int) override { return sheet; }
    void setVisible(bool show) override {
        sheet->log.push_back(show ? "show" : "hide");
        visible = show;
    }
    std::string windowTitle() override { return title; }

    std::shared_ptr<FakeCalcSheet> sheet;
    std::string title;
    bool visible = false;
};

// Our LibreOffice instance: every document made, in order.
class FakeCalcOffice : public CalcOffice {
public:
    std::shared_ptr<CalcDocument> newHiddenDocument() override {
        documents.push_back(
            std::make_shared<FakeCalcDocument>(static_cast<int>(documents.size()) + 1));
        return documents.back();
    }
    bool connected() const override { return isConnected; }

    std::vector<std::shared_ptr<FakeCalcDocument>> documents;
    bool isConnected = true;
};

}  // namespace zelanto::testing
