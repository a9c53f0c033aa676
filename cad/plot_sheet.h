#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "cad/plot_script.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::cad {

// A point of the plot where the script puts it: its drawing coordinates (the sheet's X and Y
// divided by the scale denominator, times 1000) before the coordinate system is turned.
struct PlotPosition {
    double x = 0;
    double y = 0;
};

// Where the script puts a place given in the sheet's coordinates, at scale 1 : `denominator`.
PlotPosition plotPosition(double sheetX, double sheetY, double denominator);

// The coordinate sheet as the plot reads it: rows from 3 down to the first empty name, `lastRow`
// at most (the script's 10003), one cell at a time.
class PlotSheet {
public:
    PlotSheet(platform::Worksheet& sheet, std::int16_t denominator, int lastRow = kPlotLastRow)
        : sheet_(sheet), denominator_(denominator), lastRow_(lastRow) {}

    // One pass over the rows to plot.
    void forEachRow(const std::function<void(int row)>& visit);
    // Reads X座標 then Y座標. An empty cell counts as 0; throws PlotValueError for a text that is
    // not a number.
    PlotPosition position(int row);
    // The name as the script writes it: a number in its number text.
    std::string name(int row);

private:
    double sheetNumber(int row, int column);

    platform::Worksheet& sheet_;
    double denominator_;
    int lastRow_;
};

}  // namespace zelanto::cad
