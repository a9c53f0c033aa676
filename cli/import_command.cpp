#include "cad/plot_drawing.h"
#include "cad/plot_script.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "platform/embedded/embedded_host.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err) {
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    const std::optional<int> points = readPoints(arguments.file, *sheet.worksheet, err);
    if (!points) {
        return kReadFailure;
    }
    out << arguments.file.string() << ": " << *points << " 点を読み込みました\n";
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
                                  parcelsToDraw(arguments.file, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
