#include "cad/plot.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "platform/embedded/embedded_host.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {

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
            plot.writeDrawing(*arguments.dxf, parcelsWithWarnings(arguments.file, imported->parcels, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
