#include "coords/sim_reader.h"

#include "coords/coordinate_text.h"
#include "coords/sim_file_open.h"
#include "platform/text/ansi_text.h"

namespace zelanto::coords {
namespace {

constexpr const char* kFirstPointCode = "A01";
constexpr const char* kEndOfPointsCode = "A99";

}  // namespace

SimReader::SimReader(std::filesystem::path file) : file_(std::move(file)) {
    handle_ = openSimFile(file_, encoding_);
    items_ = std::make_unique<SimItemReader>(handle_, encoding_);
}

SimReader::~SimReader() {
    close();
}

void SimReader::close() {
    if (handle_ != nullptr) {
        std::fclose(handle_);
        handle_ = nullptr;
    }
}

void SimReader::fail(SimReadProblem problem, long line, int point, SimItemRole role,
                     std::string found) const {
    throw SimReadError(problem, file_, line, point, role, std::move(found));
}

SimItem SimReader::nextItem(SimReadProblem atEnd, int point, SimItemRole role) {
    if (handle_ == nullptr) {
        fail(SimReadProblem::CannotRead, items_ ? items_->line() : 0, point, role, "");
    }
    try {
        if (auto item = items_->next()) {
            return std::move(*item);
        }
    } catch (const SimItemFailure& failure) {
        close();
        fail(failure.problem, failure.line, point, role, failure.found);
    }
    close();
    fail(atEnd, items_->line(), point, role, "");
}

void SimReader::skipToFirstPoint() {
    for (int i = 0; i < kHeaderItemLimit; ++i) {
        if (nextItem(SimReadProblem::NoFirstPoint, 0, SimItemRole::Header).text ==
            kFirstPointCode) {
            return;
        }
    }
}

SimPoint SimReader::readPoint() {
    SimPoint point;
    point.index = ++pointsRead_;
    const auto item = [&](SimItemRole role) {
        return nextItem(SimReadProblem::EndOfFile, point.index, role);
    };
    point.number = textItem(point.index, SimItemRole::PointNumber);
    point.name = textItem(point.index, SimItemRole::PointName);
    point.x = coordinateItem(point.index, SimItemRole::X);
    point.y = coordinateItem(point.index, SimItemRole::Y);
    point.elevation = coordinateItem(point.index, SimItemRole::Elevation);
    item(SimItemRole::LineEnd);
    point.last = item(SimItemRole::NextRecord).text == kEndOfPointsCode;
    return point;
}

SimItem SimReader::textItem(int point, SimItemRole role) {
    SimItem item = nextItem(SimReadProblem::EndOfFile, point, role);
    if (encoding_ != SimEncoding::Cp932 && platform::firstWithoutAnsiForm(item.text)) {
        close();
        fail(SimReadProblem::NoAnsiForm, item.line, point, role, item.text);
    }
    return item;
}

SimCoordinate SimReader::coordinateItem(int point, SimItemRole role) {
    SimCoordinate coordinate;
    coordinate.item = nextItem(SimReadProblem::EndOfFile, point, role);
    if (const auto value = coordinateFromText(coordinate.item.text)) {
        coordinate.value = *value;
    } else {
        coordinate.failure = std::make_shared<const SimReadError>(SimReadProblem::NotANumber, file_,
                                                                  coordinate.item.line, point, role,
                                                                  coordinate.item.text);
    }
    return coordinate;
}

double SimCoordinate::number() const {
    if (failure) {
        throw *failure;
    }
    return value;
}

}  // namespace zelanto::coords
