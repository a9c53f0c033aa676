#include "cad/plot_drawing.h"
#include "cad/plot_script.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "coords/sim_file_check.h"
#include "coords/sim_import.h"
#include "platform/embedded/embedded_host.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err) {
    if (!coords::passesSimFileCheck(arguments.file)) {
        return rejectSimFileName(arguments.file, err);
    }
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    int points = 0;
    try {
        coords::SimReader reader(arguments.file);
        reader.skipToFirstPoint();
        points = coords::importPoints(reader, *sheet.worksheet);
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
        if (arguments.script) {
            cad::writePlotScript(*sheet.worksheet, arguments.denominator, *arguments.script);
        }
        if (arguments.dxf) {
            cad::writePlotDrawing(*sheet.worksheet, arguments.denominator, *arguments.dxf,
                                  readParcelsWithWarnings(arguments.file, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
