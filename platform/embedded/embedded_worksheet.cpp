#include "platform/embedded/embedded_worksheet.h"

#include <string>
#include <utility>

#include "platform/sheet/color_palette.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform {
namespace {

// The host's limits on sizes.
constexpr double kMaxColumnWidth = 255;  // characters
constexpr double kMaxPoints = 409;       // row heights and font sizes

void requireWithin(double value, double low, double high, const char* what) {
    if (!(value >= low && value <= high)) {  // NaN fails too
        throw HostError(std::string(what) + " out of range: " + std::to_string(value));
    }
}

void requirePaletteIndex(int index) {
    if (!isPaletteIndex(index)) {
        throw HostError("not a colour index of the palette: " + std::to_string(index));
    }
}

void requireText(const std::string& text, const char* what) {
    if (text.empty()) {
        throw HostError(std::string(what) + " is empty");
    }
}

}  // namespace

EmbeddedWorksheet::EmbeddedWorksheet(std::shared_ptr<HostCallCounter> calls, std::string name)
    : calls_(std::move(calls)), model_(std::move(name)) {}

void EmbeddedWorksheet::setName(const std::string& name) {
    calls_->count("setName");
    model_.setName(name);
}

void EmbeddedWorksheet::setColumnWidth(const std::string& columns, double characters) {
    calls_->count("setColumnWidth");
    requireWithin(characters, 0, kMaxColumnWidth, "column width");
    model_.setColumnWidth(parseRangeAddress(columns), characters);
}

void EmbeddedWorksheet::setRowHeight(const std::string& rows, double points) {
    calls_->count("setRowHeight");
    requireWithin(points, 0, kMaxPoints, "row height");
    model_.setRowHeight(parseRangeAddress(rows), points);
}

void EmbeddedWorksheet::setHorizontalAlignment(const std::string& range, int code) {
    calls_->count("setHorizontalAlignment");
    requireWithin(code, kAlignGeneral, kAlignRight, "horizontal alignment");
    model_.changeFormat(parseRangeAddress(range),
                        [code](CellFormat& format) { format.horizontalAlignment = code; });
}

void EmbeddedWorksheet::setVerticalAlignment(const std::string& range, int code) {
    calls_->count("setVerticalAlignment");
    requireWithin(code, kAlignTop, kAlignBottom, "vertical alignment");
    model_.changeFormat(parseRangeAddress(range),
                        [code](CellFormat& format) { format.verticalAlignment = code; });
}

void EmbeddedWorksheet::setFontName(const std::string& range, const std::string& name) {
    calls_->count("setFontName");
    requireText(name, "font name");
    model_.changeFormat(parseRangeAddress(range),
                        [&name](CellFormat& format) { format.fontName = name; });
}

void EmbeddedWorksheet::setFontSize(const std::string& range, double points) {
    calls_->count("setFontSize");
    requireWithin(points, 1, kMaxPoints, "font size");
    model_.changeFormat(parseRangeAddress(range),
                        [points](CellFormat& format) { format.fontSize = points; });
}

void EmbeddedWorksheet::setFontColorIndex(const std::string& range, int index) {
    calls_->count("setFontColorIndex");
    requirePaletteIndex(index);
    model_.changeFormat(parseRangeAddress(range),
                        [index](CellFormat& format) { format.fontColorIndex = index; });
}

void EmbeddedWorksheet::setInteriorColorIndex(const std::string& range, int index) {
    calls_->count("setInteriorColorIndex");
    requirePaletteIndex(index);
    model_.changeFormat(parseRangeAddress(range),
                        [index](CellFormat& format) { format.interiorColorIndex = index; });
}

void EmbeddedWorksheet::setMergeCells(const std::string& range, bool merged) {
    calls_->count("setMergeCells");
    model_.setMerged(parseRangeAddress(range), merged);
}

void EmbeddedWorksheet::setNumberFormatLocal(const std::string& range, const std::string& format) {
    calls_->count("setNumberFormatLocal");
    requireText(format, "number format");
    model_.changeFormat(parseRangeAddress(range),
                        [&format](CellFormat& cellFormat) { cellFormat.numberFormat = format; });
}

void EmbeddedWorksheet::setValue(int row, int column, const CellValue& value) {
    calls_->count("setValue");
    model_.setValue(row, column, value);
}

CellValue EmbeddedWorksheet::value(int row, int column) {
    calls_->count("value");
    return model_.value(row, column);
}

void EmbeddedWorksheet::select(int row, int column) {
    calls_->count("select");
    model_.select(row, column);
}

}  // namespace zelanto::platform
