#include "cad/plot_sheet.h"

#include "cad/plot_script.h"
#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"
#include "platform/text/decimal_number.h"

namespace zelanto::cad {
namespace {

// Drawing units per sheet unit after the division by the scale denominator.
constexpr double kUnitFactor = 1000;

}  // namespace

PlotPosition plotPosition(double sheetX, double sheetY, double denominator) {
    return {sheetX / denominator * kUnitFactor, sheetY / denominator * kUnitFactor};
}

void PlotSheet::forEachRow(const std::function<void(int row)>& visit) {
    for (int row = kPlotFirstRow; row <= lastRow_; ++row) {
        if (sheet_.value(row, coords::kNameColumn).isEmpty()) {
            return;
        }
        visit(row);
    }
}

PlotPosition PlotSheet::position(int row) {
    const double x = sheetNumber(row, coords::kXColumn);
    const double y = sheetNumber(row, coords::kYColumn);
    return plotPosition(x, y, denominator_);
}

std::string PlotSheet::name(int row) {
    const platform::CellValue name = sheet_.value(row, coords::kNameColumn);
    return name.isNumber() ? coords::numberText(name.number()) : name.text();
}

double PlotSheet::sheetNumber(int row, int column) {
    const platform::CellValue cell = sheet_.value(row, column);
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

}  // namespace zelanto::cad
