#include "platform/calc/uno_office.h"

#include <algorithm>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <type_traits>

#include "base/atomic_file.h"
#include "platform/calc/calc_host.h"
#include "platform/calc/calc_office.h"
#include "platform/calc/uno_connection.h"

namespace zelanto::platform::calc {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

// A number as a double, a text as a string, an empty value or the empty text as void, which
// Calc's block transfer takes for an empty cell.
css::uno::Any toUnoCell(const CellValue& value) {
    if (value.isEmpty()) {
        return css::uno::Any();
    }
    if (value.isNumber()) {
        return css::uno::Any(value.number());
    }
    return css::uno::Any(toUno(value.text()));
}

// A double as a number, a non-empty string as a text; anything else (the empty string of an
// empty cell, void for a cell whose formula failed) as empty.
CellValue fromUnoCell(const css::uno::Any& value) {
    double number = 0;
    if (value >>= number) {
        return number;
    }
    rtl::OUString text;
    if ((value >>= text) && !text.isEmpty()) {
        return fromUno(text);
    }
    return CellValue();
}

// A property's value, of the type Calc takes for it.
css::uno::Any toUnoProperty(const CellProperty::Value& value) {
    return std::visit(
        [](const auto& v) {
            using Type = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<Type, std::string>) {
                return css::uno::Any(toUno(v));
            } else if constexpr (std::is_same_v<Type, HoriJustify>) {
                return css::uno::Any(static_cast<css::table::CellHoriJustify>(v));
            } else {
                return css::uno::Any(v);
            }
        },
        value);
}

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

// A sheet of a Calc document of our instance over a UNO connection.
class UnoSheet : public CalcSheet {
public:
    UnoSheet(std::shared_ptr<UnoConnection> connection,
             css::uno::Reference<css::sheet::XSpreadsheetDocument> document,
             css::uno::Reference<css::sheet::XSpreadsheet> sheet);

    void setName(const std::string& name) override;
    void setColumnWidth(const RangeAddress& columns, std::int32_t width) override;
    void setRowHeight(const RangeAddress& rows, std::int32_t height) override;
    void setProperties(const RangeAddress& range,
                       const std::vector<CellProperty>& properties) override;
    void merge(const RangeAddress& range, bool merged) override;
    std::int32_t numberFormatKey(const std::string& format) override;
    void setDataArray(const RangeAddress& block, const std::vector<CellValue>& values) override;
    std::vector<CellValue> dataArray(const RangeAddress& block) override;
    void select(int row, int column) override;

private:
    std::shared_ptr<UnoConnection> connection_;
    Kept<css::sheet::XSpreadsheetDocument> document_;
    Kept<css::sheet::XSpreadsheet> sheet_;
};

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

Reference<css::container::XIndexAccess> sheetsOf(
    const Reference<css::sheet::XSpreadsheetDocument>& document) {
    return {document->getSheets(), UNO_QUERY_THROW};
}

// The frame that shows the document; a closed document has none.
Reference<css::frame::XFrame> frameOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    const Reference<css::frame::XController> controller =
        Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
    if (!controller.is()) {
        throw HostError("the document has no window: it was closed");
    }
    return {controller->getFrame(), UNO_QUERY_THROW};
}

// A Calc document of our instance over a UNO connection.
class UnoDocument : public CalcDocument {
public:
    UnoDocument(std::shared_ptr<UnoConnection> connection,
                css::uno::Reference<css::sheet::XSpreadsheetDocument> document);

    std::optional<int> sheetIndex(const std::string& name) override;
    std::shared_ptr<CalcSheet> sheetAt(int index) override;
    void setVisible(bool visible) override;
    std::string windowTitle() override;

private:
    std::shared_ptr<UnoConnection> connection_;
    Kept<css::sheet::XSpreadsheetDocument> document_;
};

UnoDocument::UnoDocument(std::shared_ptr<UnoConnection> connection,
                         Reference<css::sheet::XSpreadsheetDocument> document)
    : connection_(std::move(connection)), document_(connection_->keep(std::move(document))) {}

std::optional<int> UnoDocument::sheetIndex(const std::string& name) {
    return connection_->call<std::optional<int>>([document = held(document_), name] {
        const auto sheets = sheetsOf(document);
        for (sal_Int32 index = 0; index < sheets->getCount(); ++index) {
            const Reference<css::container::XNamed> sheet(sheets->getByIndex(index),
                                                          UNO_QUERY_THROW);
            if (fromUno(sheet->getName()) == name) {
                return std::optional<int>(index);
            }
        }
        return std::optional<int>();
    });
}

std::shared_ptr<CalcSheet> UnoDocument::sheetAt(int index) {
    auto sheet =
        connection_->call<Reference<css::sheet::XSpreadsheet>>([document = held(document_), index] {
            return Reference<css::sheet::XSpreadsheet>(sheetsOf(document)->getByIndex(index),
                                                       UNO_QUERY_THROW);
        });
    return std::make_shared<UnoSheet>(connection_, held(document_), std::move(sheet));
}

void UnoDocument::setVisible(bool visible) {
    connection_->call<void>([document = held(document_), visible] {
        const Reference<css::awt::XWindow> window(frameOf(document)->getContainerWindow(),
                                                  UNO_QUERY_THROW);
        window->setVisible(visible);
        if (visible) {
            Reference<css::awt::XTopWindow>(window, UNO_QUERY_THROW)->toFront();
        }
    });
}

std::string UnoDocument::windowTitle() {
    return connection_->call<std::string>([document = held(document_)] {
        return fromUno(
            Reference<css::frame::XTitle>(frameOf(document), UNO_QUERY_THROW)->getTitle());
    });
}

// Our LibreOffice instance over a UNO connection.
class UnoOffice : public CalcOffice {
public:
    explicit UnoOffice(std::shared_ptr<UnoConnection> connection);

    std::shared_ptr<CalcDocument> newHiddenDocument() override;
    bool connected() const override { return connection_->connected(); }

private:
    std::shared_ptr<UnoConnection> connection_;
};

UnoOffice::UnoOffice(std::shared_ptr<UnoConnection> connection)
    : connection_(std::move(connection)) {}

std::shared_ptr<CalcDocument> UnoOffice::newHiddenDocument() {
    auto document = connection_->call<Reference<css::sheet::XSpreadsheetDocument>>(
        [desktop = connection_->desktop()] {
            css::beans::PropertyValue hidden;
            hidden.Name = "Hidden";
            hidden.Value <<= true;
            const Reference<css::sheet::XSpreadsheetDocument> document(
                desktop->loadComponentFromURL("private:factory/scalc", "_blank", 0, {&hidden, 1}),
                UNO_QUERY_THROW);
            // Calc names its first sheet in the user's language.
            const Reference<css::container::XIndexAccess> sheets(document->getSheets(),
                                                                 UNO_QUERY_THROW);
            Reference<css::container::XNamed>(sheets->getByIndex(0), UNO_QUERY_THROW)
                ->setName("Sheet1");
            return document;
        },
        connection_->settings().documentLimit);
    return std::make_shared<UnoDocument>(connection_, std::move(document));
}

// Prepares our profile, starts our instance with it (a running one takes the new pipe), and
// connects. A HostError when LibreOffice does not start or accept in time.
std::shared_ptr<UnoOffice> connectToOffice(const OfficeSettings& settings) {
    try {
        seedOfficeProfile(settings.profile);
    } catch (const base::FileError& error) {
        throw HostError(std::string("cannot prepare the LibreOffice profile: ") + error.what());
    }
    const std::string pipe = uniquePipeName();
    startOffice(settings, pipe);
    return std::make_shared<UnoOffice>(std::make_shared<UnoConnection>(settings, pipe));
}

}  // namespace

std::unique_ptr<SpreadsheetHost> makeCalcHost(const OfficeSettings& settings) {
    return std::make_unique<CalcHost>([settings] { return connectToOffice(settings); });
}

}  // namespace zelanto::platform::calc
