#pragma once

#include <vector>

#include "cli/table_lines.h"
#include "coords/parcels.h"

namespace zelanto::cli {

// The table `zelanto-cli parcels` writes: a header, then one row per parcel (number, name,
// corners, area, perimeter) and, with `detail`, under each parcel its 座標求積表 one column in;
// where the file writes a parcel's edges ("C03"), each corner's row goes on with the edge to the
// next corner: its length and bearing from the coordinates, then as the file writes them.
std::vector<TableRow> parcelTable(const std::vector<coords::Parcel>& parcels, bool detail);

}  // namespace zelanto::cli
