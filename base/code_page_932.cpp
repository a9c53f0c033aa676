#include "base/code_page_932.h"

#include <iconv.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "base/text.h"

namespace zelanto::base {
namespace {

// Code page 932 holds only characters of the basic plane.
using DecodeTable = std::array<std::uint16_t, 0x10000>;

struct IconvClose {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Iconv = std::unique_ptr<void, IconvClose>;

Iconv openIconv(const char* to, const char* from) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    return Iconv(cd);
}

// Converts all of `in` or nothing; the number of bytes written to `out`, or 0.
std::size_t convertWhole(const Iconv& cd, const void* in, std::size_t inSize, void* out,
                         std::size_t outSize) {
    auto* inPtr = static_cast<char*>(const_cast<void*>(in));
    auto* outPtr = static_cast<char*>(out);
    std::size_t inLeft = inSize;
    std::size_t outLeft = outSize;
    iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    if (iconv(static_cast<iconv_t>(cd.get()), &inPtr, &inLeft, &outPtr, &outLeft) ==
            static_cast<std::size_t>(-1) ||
        inLeft != 0) {
        return 0;
    }
    return outSize - outLeft;
}

// The code point that `bytes` read as, when they read as exactly one character that is written
// back as the same bytes; 0 otherwise.
std::uint16_t canonicalCodePoint(const Iconv& decode, const Iconv& encode, const char* bytes,
                                 std::size_t length) {
    char32_t codePoints[2];
    if (convertWhole(decode, bytes, length, codePoints, sizeof codePoints) != sizeof(char32_t)) {
        return 0;
    }
    char back[4];
    const std::size_t written =
        convertWhole(encode, codePoints, sizeof(char32_t), back, sizeof back);
    if (written != length || std::memcmp(back, bytes, length) != 0) {
        return 0;
    }
    return static_cast<std::uint16_t>(codePoints[0]);
}

bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Indexed by the byte for single bytes and by lead * 256 + trail for double bytes (a lead byte
// never stands alone, so the two ranges do not meet).
DecodeTable buildDecodeTable() {
    const Iconv decode = openIconv("UTF-32LE", "CP932");
    const Iconv encode = openIconv("CP932", "UTF-32LE");
    DecodeTable table{};
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        const char single = static_cast<char>(byte);
        table[byte] = canonicalCodePoint(decode, encode, &single, 1);
        if (!isLeadByte(static_cast<unsigned char>(byte))) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[] = {static_cast<char>(byte), static_cast<char>(trail)};
            table[byte * 256 + trail] = canonicalCodePoint(decode, encode, pair, 2);
        }
    }
    return table;
}

const DecodeTable& decodeTable() {
    static const DecodeTable table = buildDecodeTable();
    return table;
}

constexpr const char* kAnsiCodePage = "CP932";

// UTF-8 to code page 932 through iconv.
class Encoder {
public:
    Encoder() : cd_(iconv_open(kAnsiCodePage, "UTF-8")) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert UTF-8 to ") + kAnsiCodePage);
        }
    }
    ~Encoder() { iconv_close(cd_); }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    // Appends `utf8` converted; a character it cannot convert becomes "?". Returns false when
    // that happened.
    bool append(std::string_view utf8, std::string& out) {
        bool exact = true;
        char* in = const_cast<char*>(utf8.data());
        size_t inLeft = utf8.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // EILSEQ (cannot convert) or EINVAL (incomplete sequence at the end).
            exact = false;
            out += '?';
            const size_t skipped =
                std::max<size_t>(1, utf8CharacterAt(std::string_view(in, inLeft)).length);
            in += std::min(skipped, inLeft);
            inLeft -= std::min(skipped, inLeft);
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return exact;
    }

private:
    iconv_t cd_;
};

Encoder& encoder() {
    thread_local Encoder instance;
    return instance;
}

// ASCII is the same in both encodings, and most items and lines are ASCII only.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The next byte escape at or after `from`: the position of its UTF-8 form (three bytes), or npos.
size_t findByteEscape(std::string_view utf8, size_t from) {
    for (size_t at = utf8.find('\xEE', from); at != std::string_view::npos;
         at = utf8.find('\xEE', at + 1)) {
        const Utf8Character character = utf8CharacterAt(utf8.substr(at));
        if (isByteEscape(character.codePoint)) {
            return at;
        }
    }
    return std::string_view::npos;
}

bool isLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A lead byte at the very end of the text has lost its second byte and stands alone.
size_t characterLength(std::string_view ansi, size_t at) {
    return isLeadByte(ansi[at]) && at + 1 < ansi.size() ? 2 : 1;
}

}  // namespace

Cp932Character cp932CharacterAt(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const DecodeTable& table = decodeTable();
    if (isLeadByte(lead)) {
        if (bytes.size() < 2) {
            return {};
        }
        const auto trail = static_cast<unsigned char>(bytes[1]);
        const std::uint16_t codePoint = table[lead * 256u + trail];
        return codePoint == 0 ? Cp932Character{} : Cp932Character{codePoint, 2};
    }
    const std::uint16_t codePoint = table[lead];
    return codePoint == 0 ? Cp932Character{} : Cp932Character{codePoint, 1};
}

std::string toAnsi(std::string_view utf8) {
    std::string ansi;
    appendAnsi(ansi, utf8);
    return ansi;
}

void appendAnsi(std::string& ansi, std::string_view utf8) {
    if (isAscii(utf8)) {
        ansi.append(utf8);
        return;
    }
    ansi.reserve(ansi.size() + utf8.size());
    size_t from = 0;
    for (size_t escape = findByteEscape(utf8, 0); escape != std::string_view::npos;
         escape = findByteEscape(utf8, from)) {
        encoder().append(utf8.substr(from, escape - from), ansi);
        ansi += escapedByte(utf8CharacterAt(utf8.substr(escape)).codePoint);
        from = escape + 3;
    }
    encoder().append(utf8.substr(from), ansi);
}

std::string fromAnsi(std::string ansi) {
    if (isAscii(ansi)) {
        return ansi;
    }
    std::string utf8;
    utf8.reserve(ansi.size() * 3 / 2);
    for (size_t at = 0; at < ansi.size();) {
        const Cp932Character character = cp932CharacterAt(std::string_view(ansi).substr(at));
        if (character.length == 0) {
            appendUtf8(utf8, byteEscape(static_cast<unsigned char>(ansi[at])));
            ++at;
        } else {
            appendUtf8(utf8, character.codePoint);
            at += character.length;
        }
    }
    return utf8;
}

std::optional<std::string> firstWithoutAnsiForm(std::string_view utf8) {
    std::string converted;
    if (isAscii(utf8) ||
        (findByteEscape(utf8, 0) == std::string_view::npos && encoder().append(utf8, converted))) {
        return std::nullopt;
    }
    for (size_t at = 0; at < utf8.size();) {
        const Utf8Character character = utf8CharacterAt(utf8.substr(at));
        const std::string_view text = utf8.substr(at, std::max<size_t>(character.length, 1));
        if (character.length == 0 ||
            (character.codePoint >= 0x80 &&
             (isByteEscape(character.codePoint) || !encoder().append(text, converted)))) {
            return std::string(text);
        }
        at += text.size();
    }
    return std::nullopt;
}

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

}  // namespace zelanto::base
