#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace zelanto::app {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {
    // Only a lock whose process is gone is stale, however old it is.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::anotherCopyRunning() {
    if (lock_.isLocked() || lock_.tryLock(0)) {
        return false;
    }
    // A lock that cannot be written at all (no such folder, no permission) says nothing about
    // another copy: the program then runs without one.
    return lock_.error() == QLockFile::LockFailedError;
}

QString SingleInstance::defaultLockPath() {
    return runtimeFilePath(QStringLiteral("zelanto.lock"));
}

QString runtimeFilePath(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + '/' + name;
}

}  // namespace zelanto::app
