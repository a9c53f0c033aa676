#include <algorithm>

#include "cad/drawing_picture.h"
#include "cad/plot.h"
#include "cli/commands.h"
#include "coords/sim_import.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {
namespace {

// The plot's drawing units are millimetres on paper: 1000 / N of them to a metre at 1 : N.
constexpr double kMillimetresPerMetre = 1000;

template <typename Shape>
long countOf(const cad::Drawing& drawing) {
    return std::count_if(
        drawing.entities.begin(), drawing.entities.end(),
        [](const cad::Entity& entity) { return std::holds_alternative<Shape>(entity); });
}

cad::PictureStyle pictureStyle(const PreviewArguments& arguments) {
    cad::PictureStyle style{arguments.width, arguments.height, arguments.names, {}};
    if (arguments.denominator) {
        style.unitsPerMetre = kMillimetresPerMetre / *arguments.denominator;
    }
    return style;
}

// What was drawn, and what of the file was not.
void report(const PreviewArguments& arguments, const cad::Drawing& drawing, int pointsRead,
            std::ostream& out, std::ostream& err) {
    const long points = countOf<cad::PointEntity>(drawing);
    const long parcels = countOf<cad::OutlineEntity>(drawing);
    if (points < pointsRead) {
        err << "zelanto-cli: " << arguments.file.string() << ": 読み込んだ " << pointsRead
            << " 点のうち " << points << " 点を描きました\n";
    }
    out << arguments.png.string() << ": " << points << " 点";
    if (parcels > 0) {
        out << "と " << parcels << " 画地";
    }
    out << "を描きました\n";
}

}  // namespace

int runPreview(const PreviewArguments& arguments, std::ostream& out, std::ostream& err) {
    platform::EmbeddedHost host;
    const coords::SheetReferences sheet = coords::createCoordinateSheet(host);
    std::optional<ImportedSim> imported = importSim(arguments.file, *sheet.worksheet, err);
    if (!imported) {
        return kReadFailure;
    }
    return guardWrites(err, [&] {
        // Every point the import brings, not only those the plot draws.
        const cad::Plot plot(*sheet.worksheet,
                             arguments.denominator.value_or(cad::kDefaultScale.denominator),
                             coords::kImportLastRow);
        const cad::Drawing drawing =
            plot.drawing(parcelsWithWarnings(arguments.file, imported->parcels, err));
        if (drawing.entities.empty()) {
            err << "zelanto-cli: " << texts::kNoPlottableData << '\n';
            return kNoPlottableData;
        }
        cad::writeDrawingPicture(drawing, pictureStyle(arguments), arguments.png);
        report(arguments, drawing, imported->points, out, err);
        return kSuccess;
    });
}

}  // namespace zelanto::cli
