#include "base/atomic_file.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/parcel_table.h"
#include "coords/parcels.h"
#include "coords/sim_file.h"

namespace zelanto::cli {
namespace {

void writeCsv(const std::vector<TableRow>& rows, const std::filesystem::path& file) {
    base::AnsiTextFile csv(file);
    for (const TableRow& row : rows) {
        csv.writeLine(csvLine(row));
    }
    csv.commit();
}

}  // namespace

int runParcels(const ParcelsArguments& arguments, std::ostream& out, std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(arguments.file)) {
        return rejectSimFile(arguments.file, *refusal, err);
    }
    coords::ParcelFile file;
    try {
        file = coords::readParcels(arguments.file);
    } catch (const coords::SimReadError& error) {
        return reportReadFailure(error, err);
    }
    reportParcelMessages(arguments.file, file, true, err);
    if (!file.issues.empty()) {
        return kReadFailure;
    }
    if (file.parcels.empty()) {
        err << "zelanto-cli: " << arguments.file.string()
            << ": 画地（D00 から D99 までのブロック）がありません\n";
        return kNoParcels;
    }
    const std::vector<TableRow> rows = parcelTable(file.parcels, arguments.detail);
    if (!arguments.csv) {
        for (const TableRow& row : rows) {
            out << tabLine(row) << '\n';
        }
        return kSuccess;
    }
    return guardWrites(err, [&] {
        writeCsv(rows, *arguments.csv);
        out << arguments.csv->string() << ": " << file.parcels.size() << " 画地を書き出しました\n";
        return kSuccess;
    });
}

}  // namespace zelanto::cli
