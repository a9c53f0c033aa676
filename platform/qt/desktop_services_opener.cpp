#include "platform/qt/desktop_services_opener.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace zelanto::platform {

bool DesktopServicesOpener::open(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(file.c_str())));
}

}  // namespace zelanto::platform
