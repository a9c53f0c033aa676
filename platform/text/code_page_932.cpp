#include "platform/text/code_page_932.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace zelanto::platform {
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

}  // namespace zelanto::platform
