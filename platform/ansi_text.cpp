#include "platform/ansi_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace zelanto::platform {
namespace {

constexpr const char* kAnsiCodePage = "CP932";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; on a sequence it cannot convert it appends `replacement` and
    // skips `skip(rest)` input bytes.
    template <typename Skip>
    std::string convert(std::string_view input, std::string_view replacement, Skip skip) {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
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
            out.append(replacement);
            const size_t skipped = std::min<size_t>(inLeft, skip(std::string_view(in, inLeft)));
            in += skipped;
            inLeft -= skipped;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts `rest`, at least 1.
size_t utf8SequenceLength(std::string_view rest) {
    const auto lead = static_cast<unsigned char>(rest.front());
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    size_t valid = 1;
    while (valid < length && valid < rest.size() &&
           (static_cast<unsigned char>(rest[valid]) & 0xC0) == 0x80) {
        ++valid;
    }
    return valid;
}

// ASCII is the same in both encodings, and most items and lines are ASCII only.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string toAnsi(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    thread_local Converter converter(kAnsiCodePage, "UTF-8");
    return converter.convert(utf8, "?", utf8SequenceLength);
}

std::string fromAnsi(std::string ansi) {
    if (isAscii(ansi)) {
        return ansi;
    }
    thread_local Converter converter("UTF-8", kAnsiCodePage);
    return converter.convert(ansi, kReplacementCharacter, [](std::string_view) { return 1; });
}

}  // namespace zelanto::platform
