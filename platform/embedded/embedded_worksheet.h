#pragma once

#include <string>

#include "platform/embedded/sheet_model.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

// The worksheet of the embedded host: refuses the values the host refuses and keeps the sheet
// in a SheetModel.
class EmbeddedWorksheet : public Worksheet {
public:
    explicit EmbeddedWorksheet(std::string name);

    void setName(const std::string& name) override;
    void setColumnWidth(const RangeAddress& columns, double characters) override;
    void setRowHeight(const RangeAddress& rows, double points) override;
    void setHorizontalAlignment(const RangeAddress& range, HorizontalAlignment alignment) override;
    void setVerticalAlignment(const RangeAddress& range, VerticalAlignment alignment) override;
    void setFontName(const RangeAddress& range, const std::string& name) override;
    void setFontSize(const RangeAddress& range, double points) override;
    void setFontColor(const RangeAddress& range, PaletteColor color) override;
    void setInteriorColor(const RangeAddress& range, PaletteColor color) override;
    void setMergeCells(const RangeAddress& range, bool merged) override;
    void setNumberFormat(const RangeAddress& range, NumberFormat format) override;
    void setValue(Row row, Column column, const CellValue& value) override;
    CellValue value(Row row, Column column) override;
    void select(Row row, Column column) override;

    const SheetModel& model() const { return model_; }

private:
    SheetModel model_;
};

}  // namespace zelanto::platform
