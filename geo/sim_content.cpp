#include "geo/sim_content.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "base/code_page_932.h"
#include "base/decimal_number.h"
#include "base/text.h"
#include "coords/parcels.h"
#include "coords/sim_reader.h"

namespace zelanto::geo {
namespace {

// The first character of `text` that a SIM item cannot hold. A byte escape stands for a byte of
// a SIM file that ZELANTO read (an export writes it so), and goes back into the file as that byte.
std::optional<std::string> firstUnwritable(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        return std::string(1, text[text.find_first_of("\r\n")]);
    }
    // An item that begins with a double quote, or is quoted for its comma, ends at the next one.
    if (text.find('"') != std::string_view::npos &&
        (text.front() == '"' || text.find(',') != std::string_view::npos)) {
        return "\"";
    }
    std::string withoutEscapes;
    for (size_t at = 0; at < text.size();) {
        const base::Utf8Character character = base::utf8CharacterAt(text.substr(at));
        const size_t length = std::max<size_t>(character.length, 1);
        if (character.length == 0 || !base::isByteEscape(character.codePoint)) {
            withoutEscapes.append(text.substr(at, length));
        }
        at += length;
    }
    return base::firstWithoutAnsiForm(withoutEscapes);
}

std::string checked(std::string text, const FeatureRef& feature, const char* field) {
    if (const auto character = firstUnwritable(text)) {
        throw UnwritableText(feature, field, std::move(text), *character);
    }
    return text;
}

// Where a corner stands, as the file writes it.
using WrittenPlace = std::pair<std::string, std::string>;

WrittenPlace writtenPlace(const SurveyXY& xy) {
    return {base::numberText(xy.x), base::numberText(xy.y)};
}

class SimContentBuilder {
public:
    SimContent build(const GisContent& content) {
        for (size_t i = 0; i < content.points.size(); ++i) {
            addPoint(content.points[i], i + 1);
        }
        nextCornerNumber_ = highestWholeNumber() + 1;
        for (size_t i = 0; i < content.outlines.size(); ++i) {
            addParcel(content.outlines[i], i + 1);
        }
        return std::move(result_);
    }

private:
    void addPoint(const GisPoint& point, size_t place) {
        coords::SimFilePoint written;
        written.number =
            point.number ? checked(*point.number, point.feature, "電算No") : std::to_string(place);
        written.name = point.name ? checked(*point.name, point.feature, "測点名") : "";
        written.x = point.xy.x;
        written.y = point.xy.y;
        written.elevation = point.elevation;
        remember(written);
        result_.points.push_back(std::move(written));
    }

    void remember(const coords::SimFilePoint& point) {
        const WrittenPlace place = writtenPlace({point.x, point.y});
        index_.add(point.number, point.name);
        places_.emplace(place, result_.points.size());
    }

    double highestWholeNumber() const {
        double highest = 0;
        for (const coords::SimFilePoint& point : result_.points) {
            const auto number = coords::coordinateFromText(point.number);
            if (number && *number == std::floor(*number) && !point.number.empty()) {
                highest = std::max(highest, *number);
            }
        }
        return highest;
    }

    void addParcel(const GisOutline& outline, size_t place) {
        coords::SimFileParcel parcel;
        parcel.number = outline.number ? checked(*outline.number, outline.feature, "番号")
                                       : std::to_string(place);
        parcel.name = outline.name ? checked(*outline.name, outline.feature, "名称") : "";
        // Kind 1, as the sample files have it; assigned so, GCC 12 sees no overlap where none is.
        parcel.kind.assign(1, '1');
        for (const SurveyXY& corner : outline.corners) {
            const coords::SimFilePoint& point = pointAt(corner);
            parcel.corners.push_back({point.number, point.name});
        }
        result_.parcels.push_back(std::move(parcel));
    }

    // The point a corner refers to: the first at its place whose number and name find it.
    const coords::SimFilePoint& pointAt(const SurveyXY& corner) {
        const WrittenPlace place = writtenPlace(corner);
        if (const auto known = places_.find(place); known != places_.end()) {
            const coords::SimFilePoint& point = result_.points[known->second];
            const auto found = index_.find(point.number, point.name);
            if (found &&
                writtenPlace({result_.points[*found].x, result_.points[*found].y}) == place) {
                return point;
            }
        }
        coords::SimFilePoint added;
        added.number = base::numberText(nextCornerNumber_++);
        added.x = corner.x;
        added.y = corner.y;
        ++result_.cornerPoints;
        // Later corners at this place find the added point: it is the one its number finds.
        places_.insert_or_assign(place, result_.points.size());
        index_.add(added.number, added.name);
        result_.points.push_back(std::move(added));
        return result_.points.back();
    }

    SimContent result_;
    coords::ParcelPointIndex index_;
    std::map<WrittenPlace, size_t> places_;
    double nextCornerNumber_ = 1;
};

}  // namespace

SimContent simContentOf(const GisContent& content) {
    return SimContentBuilder().build(content);
}

}  // namespace zelanto::geo
