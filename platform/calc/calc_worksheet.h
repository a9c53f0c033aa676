#pragma once

#include <memory>
#include <string>

#include "platform/calc/calc_sheet.h"
#include "platform/calc/read_cache.h"
#include "platform/calc/text_format_map.h"
#include "platform/calc/write_buffer.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// A worksheet of the host in a sheet of Calc. Consecutive cell writes are gathered and sent as
// one block, and consecutive cell reads are served from blocks read at once; the gathered writes
// go out before any other call (a read included), before a failure is reported, when the buffer
// is full, and when the worksheet goes. So what Calc holds, and what every call returns, is what
// one call per cell would have given.
class CalcWorksheet : public Worksheet {
public:
    explicit CalcWorksheet(std::shared_ptr<CalcSheet> sheet,
                           ReadCache::Clock clock = std::chrono::steady_clock::now);
    // Sends the gathered writes; a failure then is ignored, as dropping a reference never fails.
    ~CalcWorksheet() override;
    CalcWorksheet(const CalcWorksheet&) = delete;
    CalcWorksheet& operator=(const CalcWorksheet&) = delete;

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

    // Sends the gathered writes to Calc.
    void flush();

private:
    // First thing in every call other than a cell write or read: the writes go out, and what
    // was read may be changed by the call.
    void settle();

    std::shared_ptr<CalcSheet> sheet_;
    TextFormatMap textFormats_;
    WriteBuffer writes_;
    ReadCache reads_;
};

}  // namespace zelanto::platform::calc
