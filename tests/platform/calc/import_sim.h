#pragma once

#include <string>

#include "coords/sim_import.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

// Imports the points of a SIM file made of `bytes` into the sheet, as the import does.
inline void importSim(const std::string& bytes, platform::Worksheet& sheet) {
    TempFolder folder;
    writeBytes(folder / "points.sim", bytes);
    coords::SimReader reader(folder / "points.sim");
    reader.skipToFirstPoint();
    coords::importPoints(reader, sheet);
}

}  // namespace zelanto::testing
