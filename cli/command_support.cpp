#include "cli/command_support.h"

#include "cad/plot_script.h"
#include "cli/exit_codes.h"
#include "coords/parcel_issue_text.h"
#include "coords/parcel_reader.h"
#include "coords/sim_file_check.h"
#include "coords/sim_import.h"
#include "coords/sim_read_error_text.h"
#include "platform/embedded/embedded_host.h"
#include "platform/embedded/xlsx_export.h"
#include "platform/files/atomic_file.h"

namespace zelanto::cli {

int rejectSimFileName(const std::filesystem::path& file, std::ostream& err) {
    err << "zelanto-cli: " << file.string()
        << ": SIM ファイルではありません（名前が sim か SIM で終わる既存のファイルを期待）\n";
    return kReadFailure;
}

int reportReadFailure(const coords::SimReadError& error, std::ostream& err) {
    err << "zelanto-cli: " << coords::describeReadError(error) << '\n';
    return kReadFailure;
}

int guardWrites(std::ostream& err, const std::function<int()>& write) {
    try {
        return write();
    } catch (const platform::FileError& error) {
        err << "zelanto-cli: 書き出せません: " << error.what() << '\n';
    } catch (const platform::HostError& error) {
        err << "zelanto-cli: 座標シートのエラー: " << error.what() << '\n';
    } catch (const cad::PlotValueError& error) {
        err << "zelanto-cli: " << error.row() << " 行目 " << error.column() << " 列の「"
            << error.found() << "」は数値ではありません\n";
    }
    return kWriteFailure;
}

std::optional<int> readPoints(const std::filesystem::path& file, platform::Worksheet& sheet,
                              std::ostream& err) {
    if (!coords::passesSimFileCheck(file)) {
        rejectSimFileName(file, err);
        return std::nullopt;
    }
    try {
        coords::SimReader reader(file);
        reader.skipToFirstPoint();
        return coords::importPoints(reader, sheet);
    } catch (const coords::SimReadError& error) {
        reportReadFailure(error, err);
        return std::nullopt;
    }
}

std::vector<coords::Parcel> parcelsToDraw(const std::filesystem::path& file, std::ostream& err) {
    try {
        coords::ParcelFile read = coords::readParcels(file);
        for (const coords::ParcelIssue& issue : read.issues) {
            err << "zelanto-cli: " << coords::describeParcelIssue(file, issue) << '\n';
        }
        return std::move(read.parcels);
    } catch (const coords::SimReadError& error) {
        err << "zelanto-cli: " << coords::describeReadError(error) << '\n';
        return {};
    }
}

void exportWorkbook(const coords::SheetReferences& sheet, const std::filesystem::path& file) {
    const auto workbook = std::dynamic_pointer_cast<platform::EmbeddedWorkbook>(sheet.workbook);
    platform::writeXlsx(workbook->sheet(), file);
}

}  // namespace zelanto::cli
