#include "platform/qt/desktop_services_opener.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/qt/path_text.h"

namespace zelanto::platform {

bool DesktopServicesOpener::open(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(textOf(file)));
}

}  // namespace zelanto::platform
