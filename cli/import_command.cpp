#include "cad/plot.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "coords/parcels.h"
#include "coords/sim_file.h"
#include "coords/sim_import.h"
#include "coords/sim_read_error.h"
#include "platform/embedded/embedded_host.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(arguments.file)) {
        return rejectSimFile(arguments.file, *refusal, err);
    }
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    int points = 0;
    coords::ImportedParcels parcels;
    try {
        coords::SimImport import(arguments.file);
        import.skipToFirstPoint();
        points = import.readPoints(*sheet.worksheet);
        parcels = import.finish();
    } catch (const coords::SimReadError& error) {
        return reportReadFailure(error, err);
    }
    out << arguments.file.string() << ": " << points << " 点を読み込みました\n";
    return guardWrites(err, [&] {
        if (arguments.xlsx) {
            exportWorkbook(sheet, *arguments.xlsx);
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
            plot.writeDrawing(*arguments.dxf, parcelsWithWarnings(arguments.file, parcels, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
