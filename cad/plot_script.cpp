#include "cad/plot_script.h"

#include <functional>

#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"
#include "platform/files/ansi_text_file.h"
#include "platform/text/decimal_number.h"

namespace zelanto::cad {
namespace {

using coords::numberText;
using platform::CellValue;

// Drawing units per sheet unit after the division by the scale denominator.
constexpr double kUnitFactor = 1000;
// Written as the texts of these single-precision constants.
constexpr const char* kCircleRadius = "0.75";
constexpr const char* kTextHeight = "1.5";
constexpr const char* kTextRotation = "90";
// The name's insertion point lies this far from its point.
constexpr double kNameOffsetX = 0.5;
constexpr double kNameOffsetY = 1;

class ScriptWriter {
public:
    ScriptWriter(platform::Worksheet& sheet, std::int16_t denominator,
                 const std::filesystem::path& file)
        : sheet_(sheet), denominator_(denominator), out_(file) {}

    void write() {
        out_.writeLine("-osnap ");
        out_.writeLine("layer m プロット ");
        out_.writeLine("color 5");
        forEachPoint([&](int row) { out_.writeLine("point " + position(row)); });
        forEachPoint(
            [&](int row) { out_.writeLine("circle " + position(row) + " " + kCircleRadius); });
        forEachPoint([&](int row) {
            out_.writeLine("layer m 点名 ");
            out_.writeLine("color 7");
            const double x = drawingCoordinate(row, coords::kXColumn);
            const double y = drawingCoordinate(row, coords::kYColumn);
            out_.writeLine("text j bl " + numberText(x + kNameOffsetX) + "," +
                           numberText(y + kNameOffsetY) + " " + kTextHeight + " " + kTextRotation +
                           " " + nameText(sheet_.value(row, coords::kNameColumn)));
        });
        out_.writeLine("style      N Y ");
        out_.writeLine("filedia 1");
        out_.writeLine("zoom e");
        out_.commit();
    }

private:
    // One pass: rows from 3 down to the first empty name, 10003 at most.
    void forEachPoint(const std::function<void(int)>& line) {
        for (int row = kPlotFirstRow; row <= kPlotLastRow; ++row) {
            if (sheet_.value(row, coords::kNameColumn).isEmpty()) {
                return;
            }
            line(row);
        }
    }

    std::string position(int row) {
        const double x = drawingCoordinate(row, coords::kXColumn);
        const double y = drawingCoordinate(row, coords::kYColumn);
        return numberText(x) + "," + numberText(y);
    }

    double drawingCoordinate(int row, int column) {
        return sheetNumber(row, column) / denominator_ * kUnitFactor;
    }

    double sheetNumber(int row, int column) {
        const CellValue cell = sheet_.value(row, column);
        if (cell.isEmpty()) {
            return 0;
        }
        if (cell.isNumber()) {
            return cell.number();
        }
        if (const auto number = platform::parseDecimalNumber(cell.text())) {
            return *number;
        }
        throw PlotValueError(row, column, cell.text());
    }

    static std::string nameText(const CellValue& name) {
        return name.isNumber() ? numberText(name.number()) : name.text();
    }

    platform::Worksheet& sheet_;
    double denominator_;
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
    return !first.number.isEmpty() && !first.name.isEmpty() && !first.x.isEmpty() &&
           !first.y.isEmpty() && !first.elevation.isEmpty();
}

void writePlotScript(platform::Worksheet& sheet, std::int16_t denominator,
                     const std::filesystem::path& file) {
    ScriptWriter(sheet, denominator, file).write();
}

}  // namespace zelanto::cad
