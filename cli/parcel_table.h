#pragma once

#include <vector>

#include "cli/table_lines.h"
#include "coords/parcel.h"

namespace zelanto::cli {

// The table `zelanto-cli parcels` writes: a header, then one row per parcel (number, name,
// corners, area, perimeter) and, with `detail`, under each parcel its 座標求積表 one column in.
std::vector<TableRow> parcelTable(const std::vector<coords::Parcel>& parcels, bool detail);

}  // namespace zelanto::cli
