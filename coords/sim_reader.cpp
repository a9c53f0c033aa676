#include "coords/sim_reader.h"

#include <algorithm>
#include <array>

#include "base/code_page_932.h"
#include "base/decimal_number.h"
#include "base/text.h"

namespace zelanto::coords {
namespace {

constexpr int kEnd = EOF;

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

// The bytes that end the run of an unquoted item: its separators, and a NUL, which peek reports.
constexpr std::array<bool, 256> kRunEnds = [] {
    std::array<bool, 256> ends{};
    for (const unsigned char c : {',', '\r', '\n', '\0'}) {
        ends[c] = true;
    }
    return ends;
}();

}  // namespace

// --- Items ----------------------------------------------------------------------------------

bool SimItemReader::refill() {
    filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    position_ = 0;
    if (filled_ == 0 && std::ferror(file_)) {
        throw SimItemFailure{SimReadProblem::CannotRead, line_, ""};
    }
    return filled_ > 0;
}

int SimItemReader::peek() {
    if (position_ == filled_ && !refill()) {
        return kEnd;
    }
    const auto byte = static_cast<unsigned char>(buffer_[position_]);
    if (byte == 0) {
        throw SimItemFailure{SimReadProblem::NulByte, line_, ""};
    }
    return byte;
}

int SimItemReader::get() {
    const int c = peek();
    if (c != kEnd) {
        ++position_;
    }
    return c;
}

bool SimItemReader::atItemEnd() {
    const int c = peek();
    return c == ',' || c == kEnd || isLineEnd(c);
}

void SimItemReader::skipLineEnd() {
    if (get() == '\r' && peek() == '\n') {
        get();
    }
    ++line_;
}

void SimItemReader::skipBlanks() {
    while (isBlank(peek())) {
        get();
    }
}

void SimItemReader::takeByte(std::string& item, int byte) {
    if (item.size() == kMaxItemBytes) {
        throw SimItemFailure{SimReadProblem::ItemTooLong, itemLine_, text(item.substr(0, 40))};
    }
    item += static_cast<char>(byte);
}

std::optional<SimItem> SimItemReader::next() {
    if (auto item = bufferedItem()) {
        return item;
    }
    for (;;) {
        skipBlanks();
        itemLine_ = line_;
        const int c = peek();
        if (c == kEnd || isLineEnd(c)) {
            if (itemPromised_) {
                // The comma before this point closes an empty item.
                endItem();
                return SimItem{"", itemLine_};
            }
            if (c == kEnd) {
                return std::nullopt;
            }
            skipLineEnd();
            continue;
        }
        return c == '"' ? quotedItem() : unquotedItem();
    }
}

// Most items are short unquoted runs whose separator is already in the buffer: they are cut out
// in one go, without the byte-by-byte way the other items take.
std::optional<SimItem> SimItemReader::bufferedItem() {
    const char* at = buffer_ + position_;
    const char* const end = buffer_ + filled_;
    while (at < end && (*at == ' ' || *at == '\t')) {
        ++at;
    }
    if (at == end || *at == '"' || kRunEnds[static_cast<unsigned char>(*at)]) {
        return std::nullopt;
    }
    const char* run = at;
    unsigned char highBits = 0;
    while (run < end && !kRunEnds[static_cast<unsigned char>(*run)]) {
        highBits |= static_cast<unsigned char>(*run);
        ++run;
    }
    // A separator after the item, and room for the byte after a CR.
    if (run + 1 >= end || *run == '\0' || static_cast<size_t>(run - at) > kMaxItemBytes) {
        return std::nullopt;
    }
    const char* last = run;
    while (last[-1] == ' ' || last[-1] == '\t') {
        --last;
    }
    SimItem item{std::string(at, last), line_};
    if ((highBits & 0x80) != 0) {
        item.text = text(std::move(item.text));
    }
    position_ = static_cast<size_t>(run - buffer_);
    endItem();
    return item;
}

SimItem SimItemReader::quotedItem() {
    get();  // the opening quote
    std::string bytes;
    for (int c = get(); c != '"' && c != kEnd; c = get()) {
        takeByte(bytes, c);
        if (c == '\n' || (c == '\r' && peek() != '\n')) {
            ++line_;
        }
    }
    while (!atItemEnd()) {
        get();
    }
    endItem();
    return SimItem{text(std::move(bytes)), itemLine_};
}

SimItem SimItemReader::unquotedItem() {
    std::string bytes;
    // Takes the buffered bytes up to the next separator in one piece.
    while (!atItemEnd()) {
        const char* begin = buffer_ + position_;
        const char* end =
            std::find_if(begin, static_cast<const char*>(buffer_ + filled_),
                         [](char c) { return kRunEnds[static_cast<unsigned char>(c)]; });
        if (end == begin) {
            takeByte(bytes, get());  // a NUL: peek reports it
            continue;
        }
        const auto length = static_cast<size_t>(end - begin);
        if (bytes.size() + length > kMaxItemBytes) {
            throw SimItemFailure{SimReadProblem::ItemTooLong, itemLine_, text(bytes.substr(0, 40))};
        }
        bytes.append(begin, length);
        position_ += length;
    }
    bytes.erase(bytes.find_last_not_of(" \t") + 1);
    endItem();
    return SimItem{text(std::move(bytes)), itemLine_};
}

void SimItemReader::endItem() {
    const int c = peek();
    itemPromised_ = c == ',';
    if (c == ',') {
        get();
    } else if (isLineEnd(c)) {
        skipLineEnd();
    }
}

std::string SimItemReader::text(std::string bytes) const {
    return encoding_ == SimEncoding::Cp932 ? base::fromAnsi(std::move(bytes))
                                           : base::fromUtf8Bytes(std::move(bytes));
}

// --- Points and records ---------------------------------------------------------------------

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

void SimReader::skipToFirstPoint(const SimRecordVisitor& passedOver) {
    SimRecord header;
    for (int i = 0; i < kHeaderItemLimit; ++i) {
        SimItem item = nextItem(SimReadProblem::NoFirstPoint, 0, SimItemRole::Header);
        if (item.text == kFirstPointCode) {
            nextCode_ = std::move(item);
            return;
        }
        if (header.items.empty()) {
            header.line = item.line;
        }
        header.items.push_back(std::move(item));
        if (items_->atRecordEnd()) {
            if (passedOver) {
                passedOver(header);
            }
            header.items.clear();
        }
    }
}

SimPoint SimReader::readPoint() {
    SimPoint point;
    point.index = ++pointsRead_;
    if (nextCode_) {
        point.code = std::move(*nextCode_);
    }
    const auto item = [&](SimItemRole role) {
        return nextItem(SimReadProblem::EndOfFile, point.index, role);
    };
    point.number = textItem(point.index, SimItemRole::PointNumber);
    point.name = textItem(point.index, SimItemRole::PointName);
    point.x = coordinateItem(point.index, SimItemRole::X);
    point.y = coordinateItem(point.index, SimItemRole::Y);
    point.elevation = coordinateItem(point.index, SimItemRole::Elevation);
    item(SimItemRole::LineEnd);
    nextCode_ = item(SimItemRole::NextRecord);
    point.last = nextCode_->text == kEndOfPointsCode;
    return point;
}

void SimReader::readRecords(const SimRecordVisitor& visit) {
    if (handle_ == nullptr) {
        fail(SimReadProblem::CannotRead, items_->line(), 0, SimItemRole::Record, "");
    }
    SimRecord record;
    bool inRecord = false;
    if (nextCode_) {
        // The record that the last point's read began: its code is read, the rest follows.
        record.line = nextCode_->line;
        record.items.assign(1, std::move(*nextCode_));
        nextCode_.reset();
        inRecord = !items_->atRecordEnd();
        if (!inRecord) {
            visit(record);
        }
    }
    try {
        while (auto item = items_->next()) {
            if (!inRecord) {
                record.items.clear();
                record.line = item->line;
            }
            record.items.push_back(std::move(*item));
            inRecord = !items_->atRecordEnd();
            if (!inRecord) {
                visit(record);
            }
        }
    } catch (const SimItemFailure& failure) {
        close();
        fail(failure.problem, failure.line, 0, SimItemRole::Record, failure.found);
    }
}

SimItem SimReader::textItem(int point, SimItemRole role) {
    SimItem item = nextItem(SimReadProblem::EndOfFile, point, role);
    if (encoding_ != SimEncoding::Cp932 && base::firstWithoutAnsiForm(item.text)) {
        close();
        fail(SimReadProblem::NoAnsiForm, item.line, point, role, item.text);
    }
    return item;
}

SimCoordinate SimReader::coordinateItem(int point, SimItemRole role) {
    SimCoordinate coordinate;
    coordinate.item = nextItem(SimReadProblem::EndOfFile, point, role);
    const std::string_view text = base::trimBlanks(coordinate.item.text);
    if (const auto value = text.empty() ? 0.0 : base::parseShortDecimal(text)) {
        coordinate.value = *value;
        coordinate.exact = true;
    } else if (const auto number = base::parseDecimalNumber(text)) {
        coordinate.value = *number;
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

// --- Item texts -----------------------------------------------------------------------------

std::optional<double> coordinateFromText(std::string_view text) {
    const std::string_view number = base::trimBlanks(text);
    if (number.empty()) {
        return 0.0;
    }
    return base::parseDecimalNumber(number);
}

std::optional<int> decimalPlaces(std::string_view text) {
    const std::string_view number = base::trimBlanks(text);
    std::optional<std::size_t> point;
    for (std::size_t at = 0; at < number.size(); ++at) {
        if (number[at] == 'e' || number[at] == 'E') {
            return std::nullopt;
        }
        if (number[at] == '.' && !point) {
            point = at;
        }
    }
    return point ? static_cast<int>(number.size() - *point - 1) : 0;
}

}  // namespace zelanto::coords
