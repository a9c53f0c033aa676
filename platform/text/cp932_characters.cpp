#include "platform/text/cp932_characters.h"

namespace zelanto::platform {
namespace {

bool isLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A lead byte at the very end of the text has lost its second byte and stands alone.
size_t characterLength(std::string_view ansi, size_t at) {
    return isLeadByte(ansi[at]) && at + 1 < ansi.size() ? 2 : 1;
}

}  // namespace

size_t findCharacter(std::string_view ansi, char c) {
    for (size_t at = 0; at < ansi.size(); at += characterLength(ansi, at)) {
        if (ansi[at] == c) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::string_view cutToBytes(std::string_view ansi, size_t maxBytes) {
    size_t end = 0;
    while (end < ansi.size() && end + characterLength(ansi, end) <= maxBytes) {
        end += characterLength(ansi, end);
    }
    return ansi.substr(0, end);
}

}  // namespace zelanto::platform
