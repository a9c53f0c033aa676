#include <algorithm>

#include "cad/drawing_picture.h"
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
