#include "coords/parcel_measure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

#include "coords/sim_reader.h"

namespace zelanto::coords {
namespace {

// `value` rounded to `places` decimals, where a double can tell them apart.
double roundToPlaces(double value, std::optional<int> places) {
    if (!places) {
        return value;
    }
    const double scale = std::pow(10.0, *places);
    const double scaled = value * scale;
    if (!(std::fabs(scaled) < 0x1p52)) {
        return value;
    }
    return std::round(scaled) / scale + 0.0;  // + 0.0: no "-0"
}

std::optional<int> timesPlaces(std::optional<int> places, int factor, int extra = 0) {
    if (!places) {
        return std::nullopt;
    }
    return *places * factor + extra;
}

size_t previous(size_t i, size_t count) {
    return (i + count - 1) % count;
}
size_t following(size_t i, size_t count) {
    return (i + 1) % count;
}

// Twice the area, signed by the corners' order. Taking X from the first corner's keeps the
// products small and so exact to more places; the shift adds nothing, as the differences of a
// closed outline sum to zero.
double signedDoubleArea(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    double sum = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        const double yDifference =
            corners[following(i, corners.size())].y - corners[previous(i, corners.size())].y;
        sum += (corners[i].x - corners.front().x) * yDifference;
    }
    return sum;
}

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

AreaTable areaTable(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    AreaTable table;
    for (size_t i = 0; i < corners.size(); ++i) {
        AreaTableRow row;
        row.yDifference = roundToPlaces(
            corners[following(i, corners.size())].y - corners[previous(i, corners.size())].y,
            parcel.decimals);
        row.product =
            roundToPlaces(corners[i].x * row.yDifference, timesPlaces(parcel.decimals, 2));
        table.rows.push_back(row);
    }
    table.doubleArea =
        roundToPlaces(std::fabs(signedDoubleArea(parcel)), timesPlaces(parcel.decimals, 2));
    return table;
}

double parcelArea(const Parcel& parcel) {
    return roundToPlaces(std::fabs(signedDoubleArea(parcel)) / 2,
                         timesPlaces(parcel.decimals, 2, 1));
}

double parcelPerimeter(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    double length = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        const ParcelCorner& to = corners[following(i, corners.size())];
        const double dx = roundToPlaces(to.x - corners[i].x, parcel.decimals);
        const double dy = roundToPlaces(to.y - corners[i].y, parcel.decimals);
        length += std::sqrt(dx * dx + dy * dy);
    }
    return length;
}

ParcelPoint parcelCentroid(const Parcel& parcel) {
    const auto& corners = parcel.corners;
    // Relative to the first corner, as for the area: survey coordinates are large, their
    // differences small.
    const ParcelCorner& origin = corners.front();
    double doubleArea = 0;
    ParcelPoint weighted;
    ParcelPoint sum;
    for (size_t i = 0; i < corners.size(); ++i) {
        const ParcelCorner& to = corners[following(i, corners.size())];
        const double x0 = corners[i].x - origin.x;
        const double y0 = corners[i].y - origin.y;
        const double x1 = to.x - origin.x;
        const double y1 = to.y - origin.y;
        const double cross = x0 * y1 - x1 * y0;
        doubleArea += cross;
        weighted.x += (x0 + x1) * cross;
        weighted.y += (y0 + y1) * cross;
        sum.x += x0;
        sum.y += y0;
    }
    const auto count = static_cast<double>(corners.size());
    if (doubleArea == 0) {
        return {origin.x + sum.x / count, origin.y + sum.y / count};
    }
    return {origin.x + weighted.x / (3 * doubleArea), origin.y + weighted.y / (3 * doubleArea)};
}

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
