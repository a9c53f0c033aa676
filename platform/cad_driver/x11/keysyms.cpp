#include "platform/cad_driver/x11/keysyms.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <iconv.h>

#include <cstdio>

#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {
namespace {

constexpr KeySym kUnicodeKeysymBase = 0x1000000;

// glibc's wchar_t holds one code point.
std::wstring codePoints(std::string_view utf8) {
    const iconv_t converter = iconv_open("WCHAR_T", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw X11Error("iconv cannot read UTF-8");
    }
    std::wstring text(utf8.size(), L'\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = reinterpret_cast<char*>(text.data());
    size_t outLeft = text.size() * sizeof(wchar_t);
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) {
        throw X11Error("the keys are not UTF-8 text");
    }
    text.resize(text.size() - outLeft / sizeof(wchar_t));
    return text;
}

KeySym keysymOf(wchar_t codePoint) {
    const bool latin1 =
        (codePoint >= 0x20 && codePoint <= 0x7E) || (codePoint >= 0xA0 && codePoint <= 0xFF);
    if (codePoint == L'\r') {
        return XK_Return;
    }
    const auto keysym = static_cast<KeySym>(codePoint);
    return latin1 ? keysym : kUnicodeKeysymBase | keysym;
}

}  // namespace

std::vector<KeySym> keysymsOf(std::string_view utf8) {
    std::vector<KeySym> keysyms;
    for (const wchar_t codePoint : codePoints(utf8)) {
        keysyms.push_back(keysymOf(codePoint));
    }
    return keysyms;
}

// XKeysymToString makes up a new name for every Unicode keysym, which nobody frees; the name is
// just "U" and the code point in hexadecimal.
std::string keysymName(KeySym keysym) {
    if ((keysym & 0xFF000000) != kUnicodeKeysymBase) {
        return XKeysymToString(keysym);
    }
    char name[16];
    std::snprintf(name, sizeof name, "U%04lX", keysym & 0xFFFFFF);
    return name;
}

}  // namespace zelanto::platform::x11
