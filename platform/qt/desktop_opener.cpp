#include "platform/qt/desktop_opener.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

#include "platform/qt/path_text.h"

namespace zelanto::platform {

DesktopServicesOpener::DesktopServicesOpener(Maximizer maximize, std::chrono::milliseconds interval,
                                             std::chrono::milliseconds patience)
    : maximize_(std::move(maximize)), interval_(interval), patience_(patience) {}

bool DesktopServicesOpener::open(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(textOf(file)));
}

bool DesktopServicesOpener::openMaximized(const std::filesystem::path& file,
                                          const std::string& windowTitle) {
    if (!open(file)) {
        return false;
    }
    if (!maximize_) {
        return true;
    }
    // The viewer takes its time to show its window; the program goes on meanwhile.
    auto* look = new QTimer(QCoreApplication::instance());
    const QDeadlineTimer deadline(patience_);
    QObject::connect(look, &QTimer::timeout, look,
                     [look, deadline, maximize = maximize_, windowTitle] {
                         if (maximize(windowTitle) || deadline.hasExpired()) {
                             look->stop();
                             look->deleteLater();
                         }
                     });
    look->start(interval_);
    return true;
}

}  // namespace zelanto::platform
