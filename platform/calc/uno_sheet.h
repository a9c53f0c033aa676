#pragma once

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <memory>

#include "platform/calc/calc_office.h"
#include "platform/calc/uno_connection.h"

namespace zelanto::platform::calc {

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

}  // namespace zelanto::platform::calc
