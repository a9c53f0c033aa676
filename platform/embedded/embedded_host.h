#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/embedded/sheet_model.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

// Hands a file to the desktop to be opened.
using Opener = std::function<void(const std::filesystem::path&)>;

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

// A workbook of the embedded host: one worksheet, first named "Sheet1".
class EmbeddedWorkbook : public Workbook {
public:
    EmbeddedWorkbook();

    std::shared_ptr<Worksheet> worksheet(const std::string& name) override;

    const SheetModel& sheet() const { return sheet_->model(); }

private:
    std::shared_ptr<EmbeddedWorksheet> sheet_;
};

// An application instance of the embedded host. Showing it writes each of its workbooks into a
// new .xlsx file in the export folder and hands that file to the opener; the files stay when the
// references are dropped.
class EmbeddedApplication : public SpreadsheetApplication {
public:
    EmbeddedApplication(Opener opener, std::filesystem::path exportFolder);

    std::shared_ptr<Workbook> addWorkbook() override;
    // Only the change from invisible to visible writes the files: showing what is already
    // shown does nothing. A file that cannot be written is a HostError.
    void setVisible(bool visible) override;

    bool visible() const { return visible_; }
    const std::vector<std::shared_ptr<EmbeddedWorkbook>>& workbooks() const { return workbooks_; }

private:
    void show(const EmbeddedWorkbook& workbook) const;

    Opener opener_;
    std::filesystem::path exportFolder_;
    std::vector<std::shared_ptr<EmbeddedWorkbook>> workbooks_;
    bool visible_ = false;
};

// The spreadsheet host that runs inside the program: workbooks live in memory and are shown as
// .xlsx files.
class EmbeddedHost : public SpreadsheetHost {
public:
    // An empty export folder means the user's cache folder, looked up when a workbook is shown.
    explicit EmbeddedHost(Opener opener = {}, std::filesystem::path exportFolder = {});

    std::shared_ptr<SpreadsheetApplication> createApplication() override;

    // Every application started, in order. The host keeps them, as running instances stay when
    // the program lets go of them.
    const std::vector<std::shared_ptr<EmbeddedApplication>>& applications() const {
        return applications_;
    }
    // The workbook behind a reference this host handed out, as the embedded workbook it is, for
    // callers that made the host themselves and want what only this host has (its .xlsx export).
    // A HostError for a workbook of another host.
    const EmbeddedWorkbook& workbookOf(const Workbook& workbook) const;

private:
    Opener opener_;
    std::filesystem::path exportFolder_;
    std::vector<std::shared_ptr<EmbeddedApplication>> applications_;
};

}  // namespace zelanto::platform
