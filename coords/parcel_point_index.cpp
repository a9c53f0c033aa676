#include "coords/parcel_point_index.h"

#include "platform/text/decimal_number.h"

namespace zelanto::coords {
namespace {

const ParcelCorner* at(const std::vector<ParcelCorner>& points, const auto& map, const auto& key) {
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &points[found->second];
}

}  // namespace

void ParcelPointIndex::add(ParcelCorner point) {
    const size_t index = points_.size();
    const std::string& number = point.number;
    if (const auto numeric = platform::parseDecimalNumber(number)) {
        numericNumbers_.try_emplace(*numeric, index);
    } else if (!number.empty()) {
        textNumbers_.try_emplace(number, index);
    }
    if (!point.name.empty()) {
        names_.try_emplace(point.name, index);
    }
    points_.push_back(std::move(point));
}

const ParcelCorner* ParcelPointIndex::byNumber(std::string_view number) const {
    if (const auto numeric = platform::parseDecimalNumber(number)) {
        return at(points_, numericNumbers_, *numeric);
    }
    return at(points_, textNumbers_, std::string(number));
}

const ParcelCorner* ParcelPointIndex::find(std::string_view number, std::string_view name) const {
    const ParcelCorner* point = number.empty() ? nullptr : byNumber(number);
    if (point == nullptr && !name.empty()) {
        point = at(points_, names_, std::string(name));
    }
    return point;
}

}  // namespace zelanto::coords
