#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coords/parcel.h"

namespace zelanto::coords {

// An edge of a parcel as its corners' coordinates give it.
struct EdgeMeasure {
    double length = 0;  // metres
    // The direction angle as surveyors take it: degrees clockwise from north (X), 0 up to 360.
    // Nothing for an edge without length, which has no direction.
    std::optional<double> bearing;
};

// One per corner, in the corners' order: the edge from it to the next, the last back to the first.
std::vector<EdgeMeasure> edgeMeasures(const Parcel& parcel);

enum class EdgeQuantity { Length, Bearing };

// A value of a "C03" record that its corners' coordinates do not give, not even allowing for the
// rounding of both: each coordinate and each "C03" value may be off by half a unit of the last
// place it writes. The rounded coordinates may move the far corner by up to the diagonal of
// their rounding boxes; that moves the length by as much and turns the bearing by up to that
// over the length (about a minute of arc on a 5 m edge with millimetres).
struct EdgeDisagreement {
    size_t corner = 0;  // the edge from this corner to the next
    EdgeQuantity quantity = EdgeQuantity::Length;
    double written = 0;  // metres or degrees
    double computed = 0;
    double difference = 0;  // its size; between bearings, the shorter way round
    double explained = 0;   // the most that rounding explains
};

// Every disagreement of the parcel's "C03" records, in the corners' order, the length before the
// bearing.
std::vector<EdgeDisagreement> edgeDisagreements(const Parcel& parcel);

// The places an edge's values are shown with: lengths with those of the coordinates but at least
// millimetres, or with those of the corner's "C03" length where it writes more; bearings in whole
// seconds, or with the places of a second that the corner's "C03" bearing writes.
struct EdgePlaces {
    int length = 3;
    int secondDecimals = 0;
};
EdgePlaces edgePlaces(const Parcel& parcel, size_t corner);

// `metres` with exactly `places` decimals: "5.120".
std::string lengthText(double metres, int places);

}  // namespace zelanto::coords
