#include "cad/plot_drawing.h"
#include "cad/plot_script.h"
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
namespace {

// The parcels of the file for its drawing. A parcel that does not read is left out of it, and so
// is every parcel of a file whose records after the points do not read; each with a warning, as
// is every record that a parcel left out.
std::vector<coords::Parcel> parcelsToDraw(const std::filesystem::path& file, std::ostream& err) {
    try {
        coords::ParcelFile read = coords::readParcels(file);
        reportParcelMessages(file, read, false, err);
        return std::move(read.parcels);
    } catch (const coords::SimReadError& error) {
        err << "zelanto-cli: " << coords::describeReadError(error) << '\n';
        return {};
    }
}

}  // namespace

int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(arguments.file)) {
        return rejectSimFile(arguments.file, *refusal, err);
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
                                  parcelsToDraw(arguments.file, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
