#include "coords/sim_item_reader.h"

#include "platform/text/ansi_text.h"
#include "platform/text/utf8.h"

namespace zelanto::coords {
namespace {

constexpr int kEnd = EOF;

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}
bool isSeparatorOrNul(char c) {
    return c == ',' || c == '\r' || c == '\n' || c == '\0';
}

}  // namespace

int SimItemReader::peek() {
    if (position_ == filled_) {
        filled_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        position_ = 0;
        if (filled_ == 0) {
            if (std::ferror(file_)) {
                throw SimItemFailure{SimReadProblem::CannotRead, line_, ""};
            }
            return kEnd;
        }
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
        size_t end = position_;
        while (end < filled_ && !isSeparatorOrNul(buffer_[end])) {
            ++end;
        }
        if (end == position_) {
            takeByte(bytes, get());  // a NUL: peek reports it
            continue;
        }
        if (bytes.size() + (end - position_) > kMaxItemBytes) {
            throw SimItemFailure{SimReadProblem::ItemTooLong, itemLine_, text(bytes.substr(0, 40))};
        }
        bytes.append(buffer_ + position_, end - position_);
        position_ = end;
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
    return encoding_ == SimEncoding::Cp932 ? platform::fromAnsi(std::move(bytes))
                                           : platform::fromUtf8Bytes(std::move(bytes));
}

}  // namespace zelanto::coords
