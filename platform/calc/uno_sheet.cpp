#include "platform/calc/uno_sheet.h"

#include <algorithm>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

namespace zelanto::platform::calc {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

Reference<css::table::XCellRange> cellRange(const Reference<css::sheet::XSpreadsheet>& sheet,
                                            const RangeAddress& range) {
    return sheet->getCellRangeByPosition(range.firstColumn - 1, range.firstRow - 1,
                                         range.lastColumn - 1, range.lastRow - 1);
}

Reference<css::beans::XPropertySet> propertiesOf(const Reference<css::uno::XInterface>& object) {
    return {object, UNO_QUERY_THROW};
}

// Calc's block transfer takes the values row by row, as sequences of sequences.
Sequence<Sequence<Any>> toDataArray(const RangeAddress& block,
                                    const std::vector<CellValue>& values) {
    const int width = block.lastColumn - block.firstColumn + 1;
    Sequence<Sequence<Any>> rows(block.lastRow - block.firstRow + 1);
    auto value = values.begin();
    for (sal_Int32 r = 0; r < rows.getLength(); ++r) {
        Sequence<Any> row(width);
        for (sal_Int32 c = 0; c < width; ++c) {
            row.getArray()[c] = toUnoCell(*value++);
        }
        rows.getArray()[r] = std::move(row);
    }
    return rows;
}

}  // namespace

UnoSheet::UnoSheet(std::shared_ptr<UnoConnection> connection,
                   Reference<css::sheet::XSpreadsheetDocument> document,
                   Reference<css::sheet::XSpreadsheet> sheet)
    : connection_(std::move(connection)),
      document_(connection_->keep(std::move(document))),
      sheet_(connection_->keep(std::move(sheet))) {}

void UnoSheet::setName(const std::string& name) {
    connection_->call<void>([document = held(document_), sheet = held(sheet_), name] {
        Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->setName(toUno(name));
        // Calc leaves a name it refuses unchanged without a word, and so does the sheet of a
        // closed document; the document's own list of names tells.
        const Reference<css::container::XNameAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
        if (!sheets->hasByName(toUno(name))) {
            throw HostError("Calc refused the sheet name \"" + name + "\"");
        }
    });
}

void UnoSheet::setColumnWidth(const RangeAddress& columns, std::int32_t width) {
    connection_->call<void>([sheet = held(sheet_), columns, width] {
        const Reference<css::table::XColumnRowRange> range(cellRange(sheet, columns),
                                                           UNO_QUERY_THROW);
        propertiesOf(range->getColumns())->setPropertyValue("Width", Any(width));
    });
}

void UnoSheet::setRowHeight(const RangeAddress& rows, std::int32_t height) {
    connection_->call<void>([sheet = held(sheet_), rows, height] {
        const Reference<css::table::XColumnRowRange> range(cellRange(sheet, rows), UNO_QUERY_THROW);
        propertiesOf(range->getRows())->setPropertyValue("Height", Any(height));
    });
}

void UnoSheet::setProperties(const RangeAddress& range,
                             const std::vector<CellProperty>& properties) {
    // Calc takes the names of a multiple set in alphabetical order.
    std::vector<CellProperty> sorted = properties;
    std::sort(sorted.begin(), sorted.end(),
              [](const CellProperty& a, const CellProperty& b) { return a.name < b.name; });
    Sequence<rtl::OUString> names(static_cast<sal_Int32>(sorted.size()));
    Sequence<Any> values(static_cast<sal_Int32>(sorted.size()));
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        names.getArray()[i] = toUno(sorted[i].name);
        values.getArray()[i] = toUnoProperty(sorted[i].value);
    }
    connection_->call<void>([sheet = held(sheet_), range, names, values] {
        Reference<css::beans::XMultiPropertySet>(cellRange(sheet, range), UNO_QUERY_THROW)
            ->setPropertyValues(names, values);
    });
}

void UnoSheet::merge(const RangeAddress& range, bool merged) {
    connection_->call<void>([sheet = held(sheet_), range, merged] {
        Reference<css::util::XMergeable>(cellRange(sheet, range), UNO_QUERY_THROW)->merge(merged);
    });
}

std::int32_t UnoSheet::numberFormatKey(const std::string& format) {
    return connection_->call<std::int32_t>([document = held(document_), format] {
        const Reference<css::util::XNumberFormats> formats(
            Reference<css::util::XNumberFormatsSupplier>(document, UNO_QUERY_THROW)
                ->getNumberFormats(),
            UNO_QUERY_THROW);
        const css::lang::Locale japanese("ja", "JP", "");
        const sal_Int32 key = formats->queryKey(toUno(format), japanese, false);
        return key >= 0 ? key : formats->addNew(toUno(format), japanese);
    });
}

void UnoSheet::setDataArray(const RangeAddress& block, const std::vector<CellValue>& values) {
    connection_->call<void>([sheet = held(sheet_), block, rows = toDataArray(block, values)] {
        Reference<css::sheet::XCellRangeData>(cellRange(sheet, block), UNO_QUERY_THROW)
            ->setDataArray(rows);
    });
}

std::vector<CellValue> UnoSheet::dataArray(const RangeAddress& block) {
    const auto rows = connection_->call<Sequence<Sequence<Any>>>([sheet = held(sheet_), block] {
        return Reference<css::sheet::XCellRangeData>(cellRange(sheet, block), UNO_QUERY_THROW)
            ->getDataArray();
    });
    std::vector<CellValue> values;
    values.reserve(static_cast<std::size_t>(rows.getLength()) *
                   static_cast<std::size_t>(block.lastColumn - block.firstColumn + 1));
    for (const auto& row : rows) {
        for (const auto& cell : row) {
            values.push_back(fromUnoCell(cell));
        }
    }
    return values;
}

void UnoSheet::select(int row, int column) {
    connection_->call<void>([document = held(document_), sheet = held(sheet_), row, column] {
        const auto controller =
            Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
        Reference<css::view::XSelectionSupplier>(controller, UNO_QUERY_THROW)
            ->select(Any(sheet->getCellByPosition(column - 1, row - 1)));
    });
}

}  // namespace zelanto::platform::calc
