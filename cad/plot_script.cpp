#include "cad/plot_script.h"

#include "cad/plot_geometry.h"
#include "cad/plot_sheet.h"
#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"
#include "platform/files/ansi_text_file.h"

namespace zelanto::cad {
namespace {

using coords::numberText;

// The radius, the height and the rotation are written as the texts of single-precision constants.
constexpr const char* kCircleRadiusText = "0.75";
constexpr const char* kTextHeightText = "1.5";
constexpr const char* kTextRotationText = "90";

class ScriptWriter {
public:
    ScriptWriter(platform::Worksheet& sheet, std::int16_t denominator,
                 const std::filesystem::path& file)
        : sheet_(sheet, denominator), out_(file) {}

    void write() {
        out_.writeLine("-osnap ");
        out_.writeLine(std::string("layer m ") + kPointLayer + " ");
        out_.writeLine("color " + std::to_string(kPointColour));
        sheet_.forEachRow([&](int row) { out_.writeLine("point " + positionText(row)); });
        sheet_.forEachRow([&](int row) {
            out_.writeLine("circle " + positionText(row) + " " + kCircleRadiusText);
        });
        sheet_.forEachRow([&](int row) {
            const std::string name = sheet_.name(row);
            if (name.empty()) {
                return;  // an unnamed point has no name to write
            }
            out_.writeLine(std::string("layer m ") + kNameLayer + " ");
            out_.writeLine("color " + std::to_string(kNameColour));
            const PlotPosition at = sheet_.position(row);
            out_.writeLine("text j bl " + numberText(at.x + kNameOffsetX) + "," +
                           numberText(at.y + kNameOffsetY) + " " + kTextHeightText + " " +
                           kTextRotationText + " " + name);
        });
        out_.writeLine("style      N Y ");
        out_.writeLine("filedia 1");
        out_.writeLine("zoom e");
        out_.commit();
    }

private:
    std::string positionText(int row) {
        const PlotPosition at = sheet_.position(row);
        return numberText(at.x) + "," + numberText(at.y);
    }

    PlotSheet sheet_;
    platform::AnsiTextFile out_;
};

}  // namespace

PlotValueError::PlotValueError(int row, int column, std::string found)
    : std::runtime_error("row " + std::to_string(row) + ", column " + std::to_string(column) +
                         ": not a number"),
      row_(row),
      column_(column),
      found_(std::move(found)) {}

bool hasPlottableData(platform::Worksheet& sheet) {
    const coords::PointRow first = coords::readPointRow(sheet, kPlotFirstRow);
    const bool isPointRow = !first.number.isEmpty() || !first.name.isEmpty();
    return isPointRow && !first.x.isEmpty() && !first.y.isEmpty() && !first.elevation.isEmpty();
}

void writePlotScript(platform::Worksheet& sheet, std::int16_t denominator,
                     const std::filesystem::path& file) {
    ScriptWriter(sheet, denominator, file).write();
}

}  // namespace zelanto::cad
