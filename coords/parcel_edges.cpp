#include "coords/parcel_edges.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "coords/coordinate_text.h"

namespace zelanto::coords {
namespace {

constexpr int kLeastLengthPlaces = 3;
// What binary fractions may add to a length or an angle computed from coordinates of a few
// kilometres: far below any place a file writes.
constexpr double kFloatingNoise = 1e-9;

double degreesOf(double radians) {
    return radians * 180 / std::numbers::pi;
}

// Half a unit of the last place of a coordinate written with `places` decimals; nothing known
// of one with an exponent, which is taken as exact.
double roundingOf(std::optional<int> places) {
    return places ? 0.5 * std::pow(10.0, -*places) : 0;
}

size_t following(size_t i, size_t count) {
    return (i + 1) % count;
}

EdgeMeasure measureOf(const ParcelCorner& from, const ParcelCorner& to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    EdgeMeasure edge;
    edge.length = std::hypot(dx, dy);
    if (edge.length > 0) {
        const double bearing = degreesOf(std::atan2(dy, dx));
        edge.bearing = bearing < 0 ? bearing + 360 : bearing;
    }
    return edge;
}

// How far the rounding of the two corners' coordinates may move the one relative to the other.
double cornerRounding(const ParcelCorner& from, const ParcelCorner& to) {
    return std::hypot(roundingOf(from.xPlaces) + roundingOf(to.xPlaces),
                      roundingOf(from.yPlaces) + roundingOf(to.yPlaces));
}

// The angle between two bearings, the shorter way round: 0 up to 180.
double angleBetween(double a, double b) {
    const double difference = std::fmod(std::fabs(a - b), 360.0);
    return std::min(difference, 360 - difference);
}

void checkEdge(const ParcelCorner& from, const ParcelCorner& to, size_t corner,
               std::vector<EdgeDisagreement>& found) {
    const WrittenEdge& written = *from.edge;
    const EdgeMeasure computed = measureOf(from, to);
    const double moved = cornerRounding(from, to);

    const double lengthExplained = moved + written.lengthRounding + kFloatingNoise;
    const double lengthDifference = std::fabs(computed.length - written.length);
    if (lengthDifference > lengthExplained) {
        found.push_back({corner, EdgeQuantity::Length, written.length, computed.length,
                         lengthDifference, lengthExplained});
    }
    // Where the rounding may move the far corner as far as the edge is long, any bearing fits.
    if (!computed.bearing || moved >= computed.length) {
        return;
    }
    const double bearingExplained =
        degreesOf(std::asin(moved / computed.length)) + written.bearingRounding + kFloatingNoise;
    const double bearingDifference = angleBetween(*computed.bearing, written.bearing.degrees());
    if (bearingDifference > bearingExplained) {
        found.push_back({corner, EdgeQuantity::Bearing, written.bearing.degrees(),
                         *computed.bearing, bearingDifference, bearingExplained});
    }
}

}  // namespace

std::vector<EdgeMeasure> edgeMeasures(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    std::vector<EdgeMeasure> edges;
    edges.reserve(corners.size());
    for (size_t i = 0; i < corners.size(); ++i) {
        edges.push_back(measureOf(corners[i], corners[following(i, corners.size())]));
    }
    return edges;
}

std::vector<EdgeDisagreement> edgeDisagreements(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    std::vector<EdgeDisagreement> found;
    for (size_t i = 0; i < corners.size(); ++i) {
        if (corners[i].edge) {
            checkEdge(corners[i], corners[following(i, corners.size())], i, found);
        }
    }
    return found;
}

EdgePlaces edgePlaces(const Parcel& parcel, size_t corner) {
    EdgePlaces places;
    places.length = std::max(kLeastLengthPlaces, parcel.decimals.value_or(kLeastLengthPlaces));
    if (const auto& written = parcel.corners[corner].edge) {
        places.length = std::max(places.length, decimalPlaces(written->lengthText).value_or(0));
        places.secondDecimals = written->bearing.secondDecimals;
    }
    return places;
}

std::string lengthText(double metres, int places) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, metres + 0.0, std::chars_format::fixed, places).ptr;
    return std::string(text, end);
}

}  // namespace zelanto::coords
