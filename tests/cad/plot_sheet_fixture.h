#pragma once

#include <gtest/gtest.h>

#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

// A coordinate sheet to plot from, and a folder for what the plot writes.
class PlotSheetFixture : public ::testing::Test {
protected:
    PlotSheetFixture() : sheet_(coords::createCoordinateSheet(host_)) {}

    // A point row: its number, name, X and Y, and an elevation of 1.
    void point(int row, const platform::CellValue& name, const platform::CellValue& x,
               const platform::CellValue& y) {
        ws().setValue(platform::Row(row), coords::kNumberColumn, std::to_string(row - 2));
        ws().setValue(platform::Row(row), coords::kNameColumn, name);
        ws().setValue(platform::Row(row), coords::kXColumn, x);
        ws().setValue(platform::Row(row), coords::kYColumn, y);
        ws().setValue(platform::Row(row), coords::kElevationColumn, "1");
    }
    platform::Worksheet& ws() { return *sheet_.worksheet; }

    TempFolder folder_;
    platform::EmbeddedHost host_;
    coords::SheetReferences sheet_;
};

}  // namespace zelanto::testing
