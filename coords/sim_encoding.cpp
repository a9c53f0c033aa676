#include "coords/sim_encoding.h"

#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace zelanto::coords {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Checks a stream of chunks for well-formed UTF-8; a character may be split between chunks.
class Utf8Check {
public:
    void add(std::string_view chunk) {
        if (!wellFormed_) {
            return;
        }
        pending_.append(chunk);
        std::string_view rest(pending_);
        while (wellFormed_ && !rest.empty()) {
            const auto lead = static_cast<unsigned char>(rest[0]);
            const std::size_t expected = platform::utf8LengthFromLead(lead);
            if (expected != 0 && rest.size() < expected) {
                break;  // the rest comes with the next chunk
            }
            const std::size_t length = platform::utf8CharacterAt(rest).length;
            wellFormed_ = length > 0;
            beyondAscii_ = beyondAscii_ || length > 1;
            rest.remove_prefix(length);
        }
        pending_.erase(0, pending_.size() - rest.size());
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
