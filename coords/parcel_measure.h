#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coords/parcels.h"

namespace zelanto::coords {

// One row of a parcel's 座標求積表 (coordinate area table), for the corner of the same place in
// the parcel: the difference of its neighbours' Y and the product of its X with that difference.
struct AreaTableRow {
    double yDifference = 0;  // Yn+1 − Yn−1
    double product = 0;      // Xn × (Yn+1 − Yn−1)
};

struct AreaTable {
    std::vector<AreaTableRow> rows;  // one per corner, in the corners' order
    // 倍面積: the sum of the products is twice the area, its sign that of the corners' order;
    // this is its size.
    double doubleArea = 0;
};

// The measures work in the coordinates' own units (metres, square metres). Where the parcel knows
// the decimal places of its coordinates, differences, products and areas are the exact decimals
// that those coordinates give, without the noise of binary fractions (424.189, not
// 424.189000000006).

AreaTable areaTable(const Parcel& parcel);

// The area inside the outline (shoelace formula), positive whatever the corners' order.
double parcelArea(const Parcel& parcel);

// The length of the outline, the side from the last corner back to the first included.
double parcelPerimeter(const Parcel& parcel);

// A place in the corners' coordinates (X northwards, Y eastwards).
struct ParcelPoint {
    double x = 0;
    double y = 0;
};

// The centre of the area inside the outline (its centroid); the mean of the corners for an
// outline without area, whose centroid is not defined.
ParcelPoint parcelCentroid(const Parcel& parcel);

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
