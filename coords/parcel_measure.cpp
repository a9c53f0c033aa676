#include "coords/parcel_measure.h"

#include <cmath>
#include <optional>

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

}  // namespace zelanto::coords
