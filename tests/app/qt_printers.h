#pragma once

#include <QString>
#include <ostream>

// GoogleTest shows a QString that differs from the expected one as its text, not as a list of
// QChar bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
