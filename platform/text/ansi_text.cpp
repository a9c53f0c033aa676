#include "platform/text/ansi_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "platform/text/code_page_932.h"
#include "platform/text/utf8.h"

namespace zelanto::platform {
namespace {

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

}  // namespace

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

}  // namespace zelanto::platform
