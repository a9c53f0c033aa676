#pragma once

#include <QLockFile>
#include <QString>

namespace zelanto::app {

// Tells whether another copy of the program is running. The first copy holds a lock file for as
// long as this object lives; a lock left behind by a copy that crashed is taken over, as the
// process that wrote it is gone.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // True while another running copy holds the lock. Otherwise this object takes it.
    bool anotherCopyRunning();

    // "zelanto.lock" in the runtime folder.
    static QString defaultLockPath();

private:
    QLockFile lock_;
};

// `name` in the user's runtime folder (the temporary folder if there is none), where the running
// copy keeps what the next copy looks for.
QString runtimeFilePath(const QString& name);

}  // namespace zelanto::app
