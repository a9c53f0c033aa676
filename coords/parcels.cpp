#include "coords/parcels.h"
#include "base/text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "base/decimal_number.h"

namespace zelanto::coords {
namespace {

constexpr std::string_view kPointCode = "A01";
constexpr std::string_view kParcelCode = "D00";
constexpr std::string_view kCornerCode = "B01";
constexpr std::string_view kEdgeCode = "C03";
constexpr std::string_view kParcelEndCode = "D99";
constexpr std::string_view kCommentCode = "Z00";
constexpr size_t kLeastCorners = 3;

// A corner record as written, with the edge record after it, before the points of the whole file
// are known.
struct CornerRecord {
    std::string number;
    std::string name;
    long line = 0;
    std::optional<WrittenEdge> edge;
};

struct ParcelBlock {
    Parcel parcel;
    std::vector<CornerRecord> corners;
};

std::string trimmed(std::string_view text) {
    return std::string(base::trimBlanks(text));
}

// The larger of two numbers of places; nothing when either is unknown.
std::optional<int> widerPlaces(std::optional<int> a, std::optional<int> b) {
    if (!a || !b) {
        return std::nullopt;
    }
    return std::max(*a, *b);
}

// The records of the points, which no parcel block holds.
bool isPointsRecord(std::string_view code) {
    return code == "A00" || code == kPointCode || code == "A99";
}

// The edge that a "C03,<length m>,<bearing ddd.mmss>," record writes; nothing when its length is
// no plain decimal of at least 0 or its bearing no ddd.mmss.
std::optional<WrittenEdge> writtenEdge(const SimRecord& record) {
    WrittenEdge edge;
    edge.lengthText = trimmed(record.field(1));
    const auto length = base::parseDecimalNumber(edge.lengthText);
    const auto places = decimalPlaces(edge.lengthText);
    const auto bearing = dmsAngleFromText(record.field(2));
    if (!length || !places || *length < 0 || !bearing) {
        return std::nullopt;
    }
    edge.length = *length;
    edge.lengthRounding = 0.5 * std::pow(10.0, -*places);
    edge.bearing = *bearing;
    edge.bearingRounding = dmsRounding(record.field(2));
    edge.line = record.line;
    return edge;
}

ParcelIssue issueAbout(ParcelProblem problem, long line, const Parcel& parcel) {
    ParcelIssue issue;
    issue.problem = problem;
    issue.line = line;
    issue.parcelNumber = parcel.number;
    issue.parcelName = parcel.name;
    return issue;
}

// The record that a point read as the import reads points stands for.
SimRecord recordOf(const SimPoint& point) {
    SimRecord record;
    record.line = point.code.line;
    record.items = {point.code,
                    point.number,
                    point.name,
                    point.x.item,
                    point.y.item,
                    point.elevation.item,
                    SimItem{"", point.elevation.item.line}};
    return record;
}

// The "A01" points of the file, in file order, as corners take them. Most files have no parcels,
// so a point is kept as its trimmed texts one after another in one buffer and its two numbers,
// not as strings of its own; its decimal places are found only for the corners that take it.
class FilePoints {
public:
    // Room for as many bytes as the file holds, made once: the points' texts are a part of the
    // file (Japanese names run half as long again in UTF-8), so the buffer is seldom copied to a
    // larger one, and only the part written is ever touched.
    explicit FilePoints(const std::filesystem::path& file) {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(file, error);
        texts_.reserve(error ? 0 : static_cast<std::size_t>(bytes));
    }

    void add(std::string_view number, std::string_view name, double x, double y,
             std::string_view xText, std::string_view yText) {
        Entry& entry = entries_.emplace_back();
        entry.x = x;
        entry.y = y;
        entry.start = texts_.size();
        const std::string_view texts[] = {number, name, xText, yText};
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            const std::string_view text = base::trimBlanks(texts[i]);
            entry.lengths[i] = static_cast<std::uint32_t>(text.size());
            texts_.append(text);
        }
    }

    std::size_t size() const { return entries_.size(); }
    std::string_view number(std::size_t index) const { return text(index, 0); }
    std::string_view name(std::size_t index) const { return text(index, 1); }

    ParcelCorner corner(std::size_t index) const {
        const Entry& entry = entries_[index];
        return {std::string(number(index)),    std::string(name(index)),      entry.x,     entry.y,
                decimalPlaces(text(index, 2)), decimalPlaces(text(index, 3)), std::nullopt};
    }

private:
    struct Entry {
        double x = 0;
        double y = 0;
        std::size_t start = 0;
        std::uint32_t lengths[4] = {};  // number, name, X and Y
    };

    std::string_view text(std::size_t index, std::size_t which) const {
        const Entry& entry = entries_[index];
        std::size_t start = entry.start;
        for (std::size_t i = 0; i < which; ++i) {
            start += entry.lengths[i];
        }
        return std::string_view(texts_).substr(start, entry.lengths[which]);
    }

    std::string texts_;
    std::vector<Entry> entries_;
};

}  // namespace

class ParcelCollector::Blocks {
public:
    explicit Blocks(std::filesystem::path file) : file_(std::move(file)), points_(file_) {}

    ParcelFile finish() {
        if (open_) {
            cutBlock("", 0);
        }
        if (!blocks_.empty()) {
            ParcelPointIndex index;
            for (std::size_t i = 0; i < points_.size(); ++i) {
                index.add(points_.number(i), points_.name(i));
            }
            for (ParcelBlock& block : blocks_) {
                resolve(block, index);
            }
        }
        std::stable_sort(result_.issues.begin(), result_.issues.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        return std::move(result_);
    }

    void take(const SimRecord& record) {
        const std::string_view code = record.code();
        if (code == kCommentCode) {
            return;
        }
        if (open_) {
            if (code != kParcelCode && !isPointsRecord(code)) {
                takeInBlock(record);
                return;
            }
            cutBlock(code, record.line);
        }
        if (code == kPointCode) {
            takePoint(record);
        } else if (code == kParcelCode) {
            open_.emplace();
            open_->parcel.number = trimmed(record.field(1));
            open_->parcel.name = trimmed(record.field(2));
            open_->parcel.kind = trimmed(record.field(3));
            open_->parcel.line = record.line;
        }
    }

    void takeInBlock(const SimRecord& record) {
        const std::string_view code = record.code();
        if (code == kCornerCode) {
            open_->corners.push_back(
                {trimmed(record.field(1)), trimmed(record.field(2)), record.line, std::nullopt});
        } else if (code == kEdgeCode) {
            takeEdge(record);
        } else if (code == kParcelEndCode) {
            closeBlock();
        } else {
            leaveOut(record, LeftOutReason::UnknownRecord);
        }
    }

    // An edge belongs to the corner before it, which has none yet.
    void takeEdge(const SimRecord& record) {
        std::vector<CornerRecord>& corners = open_->corners;
        if (corners.empty() || corners.back().edge) {
            leaveOut(record, LeftOutReason::EdgeWithoutCorner);
        } else if (auto edge = writtenEdge(record)) {
            corners.back().edge = std::move(edge);
        } else {
            leaveOut(record, LeftOutReason::UnreadableEdge);
        }
    }

    void leaveOut(const SimRecord& record, LeftOutReason reason) {
        LeftOutRecord kept;
        kept.code = record.code();
        for (size_t i = 1; i < record.items.size(); ++i) {
            kept.fields.push_back(record.items[i].text);
        }
        kept.line = record.line;
        kept.reason = reason;
        open_->parcel.leftOut.push_back(std::move(kept));
    }

    void takePoint(const SimRecord& record) {
        ++pointCount_;
        const double x = coordinate(record, 3, SimItemRole::X);
        const double y = coordinate(record, 4, SimItemRole::Y);
        points_.add(record.field(1), record.field(2), x, y, record.field(3), record.field(4));
    }

    // A point the import read stands for its record; a record of another code read as a point
    // takes the road of that code.
    void takePoint(const SimPoint& read) {
        if (read.code.text != kPointCode) {
            if (open_) {
                takeInBlock(recordOf(read));
            }
            return;
        }
        if (open_) {
            cutBlock(kPointCode, read.code.line);
        }
        ++pointCount_;
        points_.add(read.number.text, read.name.text, read.x.number(), read.y.number(),
                    read.x.item.text, read.y.item.text);
    }

    double coordinate(const SimRecord& record, size_t field, SimItemRole role) const {
        if (const auto value = coordinateFromText(record.field(field))) {
            return *value;
        }
        throw SimReadError(SimReadProblem::NotANumber, file_, record.items[field].line, pointCount_,
                           role, record.items[field].text);
    }

    void closeBlock() {
        const size_t corners = open_->corners.size();
        if (corners < kLeastCorners) {
            ParcelIssue issue =
                issueAbout(ParcelProblem::TooFewCorners, open_->parcel.line, open_->parcel);
            issue.corners = static_cast<int>(corners);
            result_.issues.push_back(std::move(issue));
        } else {
            blocks_.push_back(std::move(*open_));
        }
        open_.reset();
    }

    void cutBlock(std::string_view code, long line) {
        ParcelIssue issue =
            issueAbout(ParcelProblem::NoBlockEnd, open_->parcel.line, open_->parcel);
        issue.cutBy = code;
        issue.cutAt = line;
        result_.issues.push_back(std::move(issue));
        open_.reset();
    }

    void resolve(ParcelBlock& block, const ParcelPointIndex& index) {
        Parcel& parcel = block.parcel;
        bool complete = true;
        std::optional<int> decimals = 0;
        for (CornerRecord& corner : block.corners) {
            const auto found = index.find(corner.number, corner.name);
            if (!found) {
                ParcelIssue issue = issueAbout(ParcelProblem::NoSuchPoint, corner.line, parcel);
                issue.cornerNumber = corner.number;
                issue.cornerName = corner.name;
                result_.issues.push_back(std::move(issue));
                complete = false;
                continue;
            }
            ParcelCorner& taken = parcel.corners.emplace_back(points_.corner(*found));
            taken.edge = std::move(corner.edge);
            decimals = widerPlaces(decimals, widerPlaces(taken.xPlaces, taken.yPlaces));
        }
        if (complete) {
            parcel.decimals = decimals;
            result_.parcels.push_back(std::move(parcel));
        }
    }

    std::filesystem::path file_;
    FilePoints points_;
    int pointCount_ = 0;
    std::optional<ParcelBlock> open_;
    std::vector<ParcelBlock> blocks_;  // closed blocks with enough corners, in file order
    ParcelFile result_;
};

void ParcelPointIndex::add(std::string_view number, std::string_view name) {
    const size_t index = count_++;
    if (const auto numeric = base::parseDecimalNumber(number)) {
        numericNumbers_.try_emplace(*numeric, index);
    } else if (!number.empty()) {
        textNumbers_.try_emplace(std::string(number), index);
    }
    if (!name.empty()) {
        names_.try_emplace(std::string(name), index);
    }
}

std::optional<size_t> ParcelPointIndex::find(std::string_view number, std::string_view name) const {
    const auto at = [](const auto& map, const auto& key) -> std::optional<size_t> {
        const auto found = map.find(key);
        return found == map.end() ? std::nullopt : std::optional(found->second);
    };
    std::optional<size_t> point;
    if (!number.empty()) {
        const auto numeric = base::parseDecimalNumber(number);
        point = numeric ? at(numericNumbers_, *numeric) : at(textNumbers_, std::string(number));
    }
    if (!point && !name.empty()) {
        point = at(names_, std::string(name));
    }
    return point;
}

ParcelCollector::ParcelCollector(std::filesystem::path file)
    : blocks_(std::make_unique<Blocks>(std::move(file))) {}

ParcelCollector::~ParcelCollector() = default;

void ParcelCollector::take(const SimRecord& record) {
    blocks_->take(record);
}

void ParcelCollector::take(const SimPoint& point) {
    blocks_->takePoint(point);
}

ParcelFile ParcelCollector::finish() {
    return blocks_->finish();
}

ParcelFile readParcels(const std::filesystem::path& file) {
    SimReader reader(file);
    ParcelCollector parcels(file);
    reader.readRecords([&](const SimRecord& record) { parcels.take(record); });
    return parcels.finish();
}

}  // namespace zelanto::coords
