#include "platform/embedded/xlsx_export.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "platform/sheet/cell.h"

namespace zelanto::platform {
namespace {

using LxwWorkbook = std::unique_ptr<lxw_workbook, decltype(&lxw_workbook_free)>;

lxw_color_t lxwColor(PaletteColor color) {
    const std::uint32_t rgb = color.rgb();
    // libxlsxwriter reads 0 as "no colour" and has a value of its own for black.
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

std::uint8_t lxwHorizontalAlignment(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::General:
            break;
        case HorizontalAlignment::Left:
            return LXW_ALIGN_LEFT;
        case HorizontalAlignment::Centre:
            return LXW_ALIGN_CENTER;
        case HorizontalAlignment::Right:
            return LXW_ALIGN_RIGHT;
    }
    return LXW_ALIGN_NONE;
}

std::uint8_t lxwVerticalAlignment(VerticalAlignment alignment) {
    switch (alignment) {
        case VerticalAlignment::Top:
            return LXW_ALIGN_VERTICAL_TOP;
        case VerticalAlignment::Middle:
            return LXW_ALIGN_VERTICAL_CENTER;
        case VerticalAlignment::Bottom:
            break;
    }
    return LXW_ALIGN_VERTICAL_BOTTOM;
}

lxw_row_t lxwRow(int row) {
    return static_cast<lxw_row_t>(row - 1);
}
lxw_col_t lxwColumn(int column) {
    return static_cast<lxw_col_t>(column - 1);
}

// Writes one sheet through libxlsxwriter into `file`; failures name `target`.
class SheetWriter {
public:
    SheetWriter(const SheetModel& sheet, const std::filesystem::path& file,
                const std::filesystem::path& target)
        : sheet_(sheet), target_(target), book_(newWorkbook(file)) {
        worksheet_ = workbook_add_worksheet(book_.get(), sheet_.name().c_str());
        if (worksheet_ == nullptr) {
            throw base::FileError(target_,
                                  "libxlsxwriter refused the sheet \"" + sheet_.name() + "\"");
        }
    }

    void write() {
        // Merged blocks first: libxlsxwriter writes rows in order and refuses to reach back.
        for (const auto& block : sheet_.mergedBlocks()) {
            check(worksheet_merge_range(worksheet_, lxwRow(block.firstRow),
                                        lxwColumn(block.firstColumn), lxwRow(block.lastRow),
                                        lxwColumn(block.lastColumn), "", nullptr));
        }
        writeColumns();
        for (int row = 1; row <= sheet_.lastRow(); ++row) {
            writeRow(row);
        }
        const auto active = sheet_.activeCell();
        worksheet_set_selection(worksheet_, lxwRow(active.row), lxwColumn(active.column),
                                lxwRow(active.row), lxwColumn(active.column));
        check(workbook_close(book_.release()));
    }

private:
    LxwWorkbook newWorkbook(const std::filesystem::path& file) {
        // Rows go out in order, so libxlsxwriter need not hold the whole sheet a second time.
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        LxwWorkbook book(workbook_new_opt(file.c_str(), &options), &lxw_workbook_free);
        if (!book) {
            throw base::FileError(target_, "libxlsxwriter could not start a workbook");
        }
        return book;
    }

    void writeColumns() {
        for (int column = 1; column <= sheet_.lastFormattedColumn(); ++column) {
            const auto width = sheet_.columnWidth(column);
            const auto& format = sheet_.columnFormat(column);
            if (width || !format.isEmpty()) {
                check(worksheet_set_column(worksheet_, lxwColumn(column), lxwColumn(column),
                                           width.value_or(LXW_DEF_COL_WIDTH), formatFor(format)));
            }
        }
    }

    void writeRow(int row) {
        const auto height = sheet_.rowHeight(row);
        const auto& rowFormat = sheet_.rowFormat(row);
        if (height || !rowFormat.isEmpty()) {
            check(worksheet_set_row(worksheet_, lxwRow(row), height.value_or(LXW_DEF_ROW_HEIGHT),
                                    formatFor(rowFormat)));
        }
        // A file gives an empty cell either its row's or its column's format; where a formatted
        // row crosses a formatted column the cell has to be written to carry both.
        const int touched = sheet_.cells().rowLength(row);
        const int last = std::max(touched, rowFormat.isEmpty() ? 0 : sheet_.lastFormattedColumn());
        for (int column = 1; column <= last; ++column) {
            const bool crossing = !rowFormat.isEmpty() && !sheet_.columnFormat(column).isEmpty();
            const StoredCell cell = sheet_.cells().at(row, column);
            if (!cell.isEmpty() || crossing || !sheet_.cellFormat(row, column).isEmpty()) {
                writeCell(row, column, cell, formatAt(row, column));
            }
        }
    }

    void writeCell(int row, int column, const StoredCell& cell, lxw_format* format) {
        if (cell.kind == StoredCell::Kind::Number) {
            check(worksheet_write_number(worksheet_, lxwRow(row), lxwColumn(column), cell.number,
                                         format));
        } else if (cell.kind == StoredCell::Kind::Text) {
            // The store keeps a NUL after every text.
            check(worksheet_write_string(worksheet_, lxwRow(row), lxwColumn(column),
                                         cell.text.data(), format));
        } else {
            check(worksheet_write_blank(worksheet_, lxwRow(row), lxwColumn(column), format));
        }
    }

    // The libxlsxwriter format in force at a cell. Cells of the same column, row and own formats
    // share it, so that most cells need no working out of their format.
    lxw_format* formatAt(int row, int column) {
        auto [entry, added] = cellFormats_.try_emplace(sheet_.formatIds(row, column), nullptr);
        if (added) {
            entry->second = formatFor(sheet_.effectiveFormat(row, column));
        }
        return entry->second;
    }

    // The libxlsxwriter format of a format, made once; none for the empty format.
    lxw_format* formatFor(const CellFormat& format) {
        if (format.isEmpty()) {
            return nullptr;
        }
        auto [entry, added] = formats_.try_emplace(format, nullptr);
        if (added) {
            entry->second = makeFormat(format);
        }
        return entry->second;
    }

    lxw_format* makeFormat(const CellFormat& format) {
        lxw_format* made = workbook_add_format(book_.get());
        if (made == nullptr) {
            throw base::FileError(target_, "libxlsxwriter could not add a format");
        }
        if (format.horizontalAlignment) {
            format_set_align(made, lxwHorizontalAlignment(*format.horizontalAlignment));
        }
        if (format.verticalAlignment) {
            format_set_align(made, lxwVerticalAlignment(*format.verticalAlignment));
        }
        if (format.fontName) {
            format_set_font_name(made, format.fontName->c_str());
        }
        if (format.fontSize) {
            format_set_font_size(made, *format.fontSize);
        }
        if (format.fontColor) {
            format_set_font_color(made, lxwColor(*format.fontColor));
        }
        if (format.interiorColor) {
            format_set_pattern(made, LXW_PATTERN_SOLID);
            format_set_bg_color(made, lxwColor(*format.interiorColor));
        }
        if (format.numberFormat) {
            format_set_num_format(made, std::string(format.numberFormat->code()).c_str());
        }
        return made;
    }

    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR) {
            throw base::FileError(target_, std::string("libxlsxwriter: ") + lxw_strerror(error));
        }
    }

    const SheetModel& sheet_;
    const std::filesystem::path& target_;
    LxwWorkbook book_;
    lxw_worksheet* worksheet_ = nullptr;
    std::map<CellFormat, lxw_format*> formats_;
    std::map<std::array<FormatTable::Id, 3>, lxw_format*> cellFormats_;
};

}  // namespace

void writeXlsx(const SheetModel& sheet, const std::filesystem::path& target) {
    base::writeFileAtomically(target, [&](const std::filesystem::path& file) {
        SheetWriter(sheet, file, target).write();
    });
}

std::filesystem::path writeNewXlsx(const SheetModel& sheet, const std::filesystem::path& folder) {
    const auto file = base::createNewFile(folder, sheet.name(), ".xlsx");
    try {
        writeXlsx(sheet, file);
    } catch (const base::FileError&) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        throw;
    }
    return file;
}

}  // namespace zelanto::platform
