#include "coords/sim_encoding.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/text/utf8.h"

namespace zelanto::coords {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the ASCII run at the start of `bytes`, eight bytes at a time.
std::size_t asciiPrefix(std::string_view bytes) {
    std::size_t at = 0;
    for (std::uint64_t word = 0; at + sizeof word <= bytes.size(); at += sizeof word) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if ((word & 0x8080808080808080u) != 0) {
            break;
        }
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) {
        ++at;
    }
    return at;
}

// Checks a stream of chunks for well-formed UTF-8; a character may be split between chunks.
class Utf8Check {
public:
    void add(std::string_view chunk) {
        if (!wellFormed_) {
            return;
        }
        pending_.append(chunk);
        const std::string_view bytes(pending_);
        std::size_t at = 0;
        while (at < bytes.size()) {
            at += asciiPrefix(bytes.substr(at));
            if (at == bytes.size() ||
                bytes.size() - at <
                    platform::utf8LengthFromLead(static_cast<unsigned char>(bytes[at]))) {
                break;  // the rest of a character comes with the next chunk
            }
            const std::size_t length = platform::utf8CharacterAt(bytes.substr(at)).length;
            if (length == 0) {
                wellFormed_ = false;
                return;
            }
            beyondAscii_ = true;
            at += length;
        }
        pending_.erase(0, at);
    }
    // Well-formed to the end, with at least one character beyond ASCII.
    bool isUtf8Text() const { return wellFormed_ && pending_.empty() && beyondAscii_; }

private:
    std::string pending_;
    bool wellFormed_ = true;
    bool beyondAscii_ = false;
};

}  // namespace

bool detectSimEncoding(std::FILE* file, SimEncoding& encoding) {
    char buffer[65536];
    std::size_t read = std::fread(buffer, 1, sizeof buffer, file);
    if (std::string_view(buffer, read).starts_with(kByteOrderMark)) {
        encoding = SimEncoding::Utf8WithByteOrderMark;
        return std::fseek(file, kByteOrderMark.size(), SEEK_SET) == 0;
    }
    Utf8Check check;
    for (; read > 0; read = std::fread(buffer, 1, sizeof buffer, file)) {
        check.add(std::string_view(buffer, read));
    }
    encoding = check.isUtf8Text() ? SimEncoding::Utf8 : SimEncoding::Cp932;
    return !std::ferror(file) && std::fseek(file, 0, SEEK_SET) == 0;
}

}  // namespace zelanto::coords
