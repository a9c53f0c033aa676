#include "cad/plot.h"
#include "cli/commands.h"
#include "coords/sim_file.h"
#include "coords/sim_import.h"
#include "coords/sim_writer.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {
namespace {

// Reads the files one below the other as the merge button does, one file a press. Returns false
// when the sheet was full before the last file.
bool mergeFiles(const std::vector<std::filesystem::path>& files, platform::SpreadsheetHost& host,
                coords::SheetReferences& sheet, std::ostream& err) {
    for (size_t i = 0; i < files.size(); ++i) {
        coords::SimReader reader(files[i]);
        reader.skipToFirstPoint();
        if (i == 0) {
            sheet = coords::createCoordinateSheet(host);
            coords::mergeFirstFile(reader, *sheet.worksheet);
            continue;
        }
        const platform::Row freeRow = coords::firstFreeRow(*sheet.worksheet);
        if (coords::isMergeSheetFull(freeRow)) {
            err << "zelanto-cli: " << texts::kSheetFull << '\n';
            return false;
        }
        coords::mergeFollowingFile(reader, *sheet.worksheet, freeRow);
    }
    return true;
}

}  // namespace

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err) {
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    std::optional<ImportedSim> imported = importSim(arguments.file, *sheet.worksheet, err);
    if (!imported) {
        return kReadFailure;
    }
    out << arguments.file.string() << ": " << imported->points << " 点を読み込みました\n";
    return guardWrites(err, [&] {
        if (arguments.xlsx) {
            exportWorkbook(host, sheet, *arguments.xlsx);
        }
        if (!arguments.script && !arguments.dxf) {
            return kSuccess;
        }
        if (!cad::hasPlottableData(*sheet.worksheet)) {
            err << "zelanto-cli: " << texts::kNoPlottableData << '\n';
            return kNoPlottableData;
        }
        const cad::Plot plot(*sheet.worksheet, arguments.denominator);
        if (arguments.script) {
            plot.writeScript(*arguments.script);
        }
        if (arguments.dxf) {
            plot.writeDrawing(*arguments.dxf,
                              parcelsWithWarnings(arguments.file, imported->parcels, err));
        }
        return kSuccess;
    });
}

int runMerge(const MergeArguments& arguments, std::ostream& out, std::ostream& err) {
    for (const auto& file : arguments.files) {
        if (const auto refusal = coords::simFileRefusal(file)) {
            return rejectSimFile(file, *refusal, err);
        }
    }
    platform::EmbeddedHost host;
    coords::SheetReferences sheet;
    bool allRead = false;
    try {
        allRead = mergeFiles(arguments.files, host, sheet, err);
    } catch (const coords::SimReadError& error) {
        return reportReadFailure(error, err);
    }
    return guardWrites(err, [&] {
        if (allRead) {
            // As after the answer Yes: the sheet opens at its title.
            sheet.worksheet->select(platform::Row(1), coords::kNumberColumn);
        }
        if (arguments.xlsx) {
            exportWorkbook(host, sheet, *arguments.xlsx);
        }
        coords::writeMergedSim(*sheet.worksheet, arguments.out);
        out << arguments.out.string() << ": "
            << coords::firstFreeRow(*sheet.worksheet) - coords::kFirstPointRow
            << " 点を書き出しました\n";
        return kSuccess;
    });
}

}  // namespace zelanto::cli
