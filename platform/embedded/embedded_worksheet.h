#pragma once

#include <memory>
#include <string>

#include "platform/embedded/host_call_counter.h"
#include "platform/embedded/sheet_model.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

// The worksheet of the embedded host: reads the host's addresses, refuses the values the host
// refuses, counts every call, and keeps the sheet in a SheetModel.
class EmbeddedWorksheet : public Worksheet {
public:
    EmbeddedWorksheet(std::shared_ptr<HostCallCounter> calls, std::string name);

    void setName(const std::string& name) override;
    void setColumnWidth(const std::string& columns, double characters) override;
    void setRowHeight(const std::string& rows, double points) override;
    void setHorizontalAlignment(const std::string& range, int code) override;
    void setVerticalAlignment(const std::string& range, int code) override;
    void setFontName(const std::string& range, const std::string& name) override;
    void setFontSize(const std::string& range, double points) override;
    void setFontColorIndex(const std::string& range, int index) override;
    void setInteriorColorIndex(const std::string& range, int index) override;
    void setMergeCells(const std::string& range, bool merged) override;
    void setNumberFormatLocal(const std::string& range, const std::string& format) override;
    void setValue(int row, int column, const CellValue& value) override;
    CellValue value(int row, int column) override;
    void select(int row, int column) override;

    const SheetModel& model() const { return model_; }

private:
    std::shared_ptr<HostCallCounter> calls_;
    SheetModel model_;
};

}  // namespace zelanto::platform
