#include "platform/embedded/embedded_host.h"

#include <utility>

#include "base/atomic_file.h"
#include "base/file_system.h"
#include "platform/embedded/xlsx_export.h"

namespace zelanto::platform {

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

}  // namespace zelanto::platform
