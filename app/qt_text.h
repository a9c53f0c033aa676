#pragma once

#include <QString>

namespace zelanto::app {

// One of the program's texts (UTF-8) as the widgets take it.
inline QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace zelanto::app
