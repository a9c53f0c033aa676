#pragma once

#include <string>
#include <vector>

#include "coords/sim_writer.h"
#include "geo/gis_file.h"

namespace zelanto::geo {

// A text of a feature that a SIM file cannot hold: `character` is the first one that code page
// 932 lacks, or a line end or double quote that would cut the item short.
class UnwritableText : public GeoError {
public:
    UnwritableText(FeatureRef feature, std::string field, std::string text, std::string character)
        : GeoError(feature.layer + ": " + text),
          feature(std::move(feature)),
          field(std::move(field)),
          text(std::move(text)),
          character(std::move(character)) {}

    FeatureRef feature;
    std::string field;  // 電算No, 測点名, 番号 or 名称
    std::string text;
    std::string character;
};

// What `tosim` writes of a GIS file.
struct SimContent {
    std::vector<coords::SimFilePoint> points;
    std::vector<coords::SimFileParcel> parcels;
    size_t cornerPoints = 0;  // points added for corners that are no point of the file
};

// The points in their order, numbered by their field or 1, 2, 3 … by their place; then the
// outlines as parcel blocks, numbered by their field or 1, 2, 3 …, of kind 1. A corner refers to
// the first point at the place it is written at (X and Y as the file writes them), where its
// number and name find that point as the parcel reader looks points up; otherwise it becomes a
// point of its own, added after the others, unnamed and numbered on from the highest whole point
// number, so that a corner shared by parcels is written once. Throws UnwritableText.
SimContent simContentOf(const GisContent& content);

}  // namespace zelanto::geo
