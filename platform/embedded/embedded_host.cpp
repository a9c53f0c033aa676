#include "platform/embedded/embedded_host.h"

#include <string>
#include <utility>

#include "base/atomic_file.h"
#include "base/file_system.h"
#include "platform/embedded/xlsx_export.h"

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

}  // namespace

EmbeddedWorksheet::EmbeddedWorksheet(std::string name) : model_(std::move(name)) {}

void EmbeddedWorksheet::setName(const std::string& name) {
    model_.setName(name);
}

void EmbeddedWorksheet::setColumnWidth(const RangeAddress& columns, double characters) {
    requireWithin(characters, 0, kMaxColumnWidth, "column width");
    model_.setColumnWidth(columns, characters);
}

void EmbeddedWorksheet::setRowHeight(const RangeAddress& rows, double points) {
    requireWithin(points, 0, kMaxPoints, "row height");
    model_.setRowHeight(rows, points);
}

void EmbeddedWorksheet::setHorizontalAlignment(const RangeAddress& range,
                                               HorizontalAlignment alignment) {
    model_.changeFormat(
        range, [alignment](CellFormat& format) { format.horizontalAlignment = alignment; });
}

void EmbeddedWorksheet::setVerticalAlignment(const RangeAddress& range,
                                             VerticalAlignment alignment) {
    model_.changeFormat(range,
                        [alignment](CellFormat& format) { format.verticalAlignment = alignment; });
}

void EmbeddedWorksheet::setFontName(const RangeAddress& range, const std::string& name) {
    if (name.empty()) {
        throw HostError("font name is empty");
    }
    model_.changeFormat(range, [&name](CellFormat& format) { format.fontName = name; });
}

void EmbeddedWorksheet::setFontSize(const RangeAddress& range, double points) {
    requireWithin(points, 1, kMaxPoints, "font size");
    model_.changeFormat(range, [points](CellFormat& format) { format.fontSize = points; });
}

void EmbeddedWorksheet::setFontColor(const RangeAddress& range, PaletteColor color) {
    model_.changeFormat(range, [color](CellFormat& format) { format.fontColor = color; });
}

void EmbeddedWorksheet::setInteriorColor(const RangeAddress& range, PaletteColor color) {
    model_.changeFormat(range, [color](CellFormat& format) { format.interiorColor = color; });
}

void EmbeddedWorksheet::setMergeCells(const RangeAddress& range, bool merged) {
    model_.setMerged(range, merged);
}

void EmbeddedWorksheet::setNumberFormat(const RangeAddress& range, NumberFormat format) {
    model_.changeFormat(range,
                        [format](CellFormat& cellFormat) { cellFormat.numberFormat = format; });
}

void EmbeddedWorksheet::setValue(Row row, Column column, const CellValue& value) {
    model_.setValue(row.number, column.number, value);
}

CellValue EmbeddedWorksheet::value(Row row, Column column) {
    return model_.value(row.number, column.number);
}

void EmbeddedWorksheet::select(Row row, Column column) {
    model_.select(row.number, column.number);
}

EmbeddedWorkbook::EmbeddedWorkbook() : sheet_(std::make_shared<EmbeddedWorksheet>("Sheet1")) {}

std::shared_ptr<Worksheet> EmbeddedWorkbook::worksheet(const std::string& name) {
    if (name != sheet_->model().name()) {
        throw HostError("the workbook has no worksheet \"" + name + "\"");
    }
    return sheet_;
}

EmbeddedApplication::EmbeddedApplication(Opener opener, std::filesystem::path exportFolder)
    : opener_(std::move(opener)), exportFolder_(std::move(exportFolder)) {}

std::shared_ptr<Workbook> EmbeddedApplication::addWorkbook() {
    workbooks_.push_back(std::make_shared<EmbeddedWorkbook>());
    return workbooks_.back();
}

void EmbeddedApplication::setVisible(bool visible) {
    if (visible && !visible_) {
        for (const auto& workbook : workbooks_) {
            show(*workbook);
        }
    }
    visible_ = visible;
}

void EmbeddedApplication::show(const EmbeddedWorkbook& workbook) const {
    std::filesystem::path file;
    try {
        const auto folder = exportFolder_.empty() ? base::zelantoCacheFolder() : exportFolder_;
        file = writeNewXlsx(workbook.sheet(), folder);
    } catch (const base::FileError& error) {
        throw HostError(std::string("cannot show the workbook: ") + error.what());
    }
    if (opener_) {
        opener_(file);
    }
}

EmbeddedHost::EmbeddedHost(Opener opener, std::filesystem::path exportFolder)
    : opener_(std::move(opener)), exportFolder_(std::move(exportFolder)) {}

std::shared_ptr<SpreadsheetApplication> EmbeddedHost::createApplication() {
    applications_.push_back(std::make_shared<EmbeddedApplication>(opener_, exportFolder_));
    return applications_.back();
}

const EmbeddedWorkbook& EmbeddedHost::workbookOf(const Workbook& workbook) const {
    for (const auto& application : applications_) {
        for (const auto& own : application->workbooks()) {
            if (own.get() == &workbook) {
                return *own;
            }
        }
    }
    throw HostError("the workbook is not one of the embedded host's");
}

}  // namespace zelanto::platform
