#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace zelanto::platform {

// A path as the widgets show it and back: its bytes are the file system's, read as Qt reads
// file names. Every path that crosses between the two goes through here.
inline std::filesystem::path pathOf(const QString& text) {
    return QFile::encodeName(text).toStdString();
}
inline QString textOf(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

}  // namespace zelanto::platform
