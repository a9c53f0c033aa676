#include "base/text.h"

namespace zelanto::base {
namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// By length: the smallest code point a form may carry (anything below is overlong), and the bits
// that mark the lead byte.
constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};

// The length of the well-formed start of `utf8`.
std::size_t wellFormedLength(std::string_view utf8) {
    std::size_t at = 0;
    for (std::size_t length = 0; at < utf8.size(); at += length) {
        length = utf8CharacterAt(utf8.substr(at)).length;
        if (length == 0) {
            break;
        }
    }
    return at;
}

}  // namespace

std::size_t utf8LengthFromLead(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xC2) {
        return 0;  // a continuation byte, or the lead of an overlong two-byte form
    }
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

Utf8Character utf8CharacterAt(std::string_view utf8) {
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const std::size_t length = utf8LengthFromLead(lead);
    if (length == 0 || utf8.size() < length) {
        return {};
    }
    if (length == 1) {
        return {lead, 1};
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(utf8[i])) {
            return {};
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || surrogate) {
        return {};
    }
    return {codePoint, length};
}

void appendUtf8(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
        return;
    }
    const std::size_t length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    char bytes[4];
    for (std::size_t i = length - 1; i > 0; --i) {
        bytes[i] = static_cast<char>(0x80 | (codePoint & 0x3F));
        codePoint >>= 6;
    }
    bytes[0] = static_cast<char>(kLeadMarks[length] | codePoint);
    text.append(bytes, length);
}

std::string fromUtf8Bytes(std::string bytes) {
    std::size_t at = wellFormedLength(bytes);
    if (at == bytes.size()) {
        return bytes;
    }
    std::string text = bytes.substr(0, at);
    while (at < bytes.size()) {
        const std::string_view rest = std::string_view(bytes).substr(at);
        const std::size_t length = wellFormedLength(rest);
        text.append(rest.substr(0, length));
        at += length;
        if (at < bytes.size()) {
            appendUtf8(text, byteEscape(static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace zelanto::base
