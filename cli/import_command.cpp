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
namespace {

// The parcels of the file for its drawing. A parcel that does not read is left out of it, and so
// is every parcel of a file whose records after the points do not read; each with a warning, as
// is every record that a parcel left out.
std::vector<coords::Parcel> parcelsToDraw(const std::filesystem::path& file,
                                          coords::ImportedParcels& found, std::ostream& err) {
    if (found.failure) {
        err << "zelanto-cli: " << coords::describeReadError(*found.failure) << '\n';
        return {};
    }
    reportParcelMessages(file, found.parcels, false, err);
    return std::move(found.parcels.parcels);
}

}  // namespace

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
            plot.writeDrawing(*arguments.dxf, parcelsToDraw(arguments.file, parcels, err));
        }
        return kSuccess;
    });
}

}  // namespace zelanto::cli
