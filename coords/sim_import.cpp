#include "coords/sim_import.h"

#include <algorithm>

#include "coords/coordinate_sheet.h"

namespace zelanto::coords {

int importPoints(SimReader& reader, platform::Worksheet& sheet,
                 const std::function<void(const SimPoint&)>& written) {
    for (int k = 1; k <= kImportPointLimit; ++k) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, kFirstPointRow + (k - 1), point.number.text, point);
        if (written) {
            written(point);
        }
        if (point.last) {
            return k;
        }
    }
    return kImportPointLimit;
}

SimImport::SimImport(std::filesystem::path file) : reader_(file), parcels_(std::move(file)) {}

void SimImport::skipToFirstPoint() {
    reader_.skipToFirstPoint([this](const SimRecord& record) { parcels_.take(record); });
}

int SimImport::readPoints(platform::Worksheet& sheet) {
    return importPoints(reader_, sheet, [this](const SimPoint& point) { parcels_.take(point); });
}

SimPoint SimImport::readPoint() {
    SimPoint point = reader_.readPoint();
    // A point whose coordinates do not read fails its reader, who asks for them.
    if (!point.x.failure && !point.y.failure) {
        parcels_.take(point);
    }
    return point;
}

ImportedParcels SimImport::finish() {
    ImportedParcels found;
    try {
        reader_.readRecords([this](const SimRecord& record) { parcels_.take(record); });
        found.parcels = parcels_.finish();
    } catch (const SimReadError& error) {
        found.failure = error;
    }
    reader_.close();
    return found;
}

int mergeFirstFile(SimReader& reader, platform::Worksheet& sheet) {
    for (int k = 1; k <= kMergeFirstFilePointLimit; ++k) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, kFirstPointRow + (k - 1), static_cast<double>(k), point);
        if (point.last) {
            return k;
        }
    }
    return kMergeFirstFilePointLimit;
}

platform::Row firstFreeRow(platform::Worksheet& sheet) {
    platform::Row row = kFirstPointRow;
    while (row.number < platform::kMaxRows && !sheet.value(row, kNumberColumn).isEmpty()) {
        ++row;
    }
    return row;
}

int mergeFollowingFile(SimReader& reader, platform::Worksheet& sheet, platform::Row freeRow) {
    for (platform::Row row = freeRow; row <= kMergeLastRow; ++row) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, row, static_cast<double>(row.number), point);
        if (point.last) {
            return row - freeRow + 1;
        }
    }
    return std::max(0, kMergeLastRow - freeRow + 1);
}

}  // namespace zelanto::coords
