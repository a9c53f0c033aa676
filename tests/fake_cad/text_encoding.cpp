#include "tests/fake_cad/text_encoding.h"

#include <iconv.h>

#include <stdexcept>

namespace zelanto::fakecad {

std::string toUtf8(std::string_view bytes, const char* from) {
    const iconv_t converter = iconv_open("UTF-8//IGNORE", from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot read ") + from);
    }
    std::string text(bytes.size() * 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* out = text.data();
    size_t outLeft = text.size();
    iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    text.resize(text.size() - outLeft);
    return text;
}

std::string utf8Character(char32_t codePoint) {
    const auto character = static_cast<wchar_t>(codePoint);
    return toUtf8({reinterpret_cast<const char*>(&character), sizeof character}, "WCHAR_T");
}

}  // namespace zelanto::fakecad
