#include "app/single_instance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <utility>

#include "app/form1.h"
#include "app/form1_texts.h"
#include "app/window_layout.h"

namespace zelanto::app {
namespace {

// Both ends read and write the path in this form, whatever Qt a copy was built with.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
constexpr char kTaken = 't';
constexpr char kBusy = 'b';

// A copy that has just taken the lock may not be listening yet.
constexpr int kConnectRetryMs = 50;

bool connectWithin(QLocalSocket& socket, const QString& socketPath,
                   const QDeadlineTimer& deadline) {
    while (true) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            return true;
        }
        if (deadline.remainingTime() <= kConnectRetryMs) {
            return false;
        }
        QThread::msleep(kConnectRetryMs);
    }
}

}  // namespace

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

HandOverServer::HandOverServer(const QString& socketPath, Receiver receive, QObject* parent)
    : QObject(parent), receive_(std::move(receive)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath);
    server_.listen(socketPath);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            serve(socket);
        }
    });
}

QString HandOverServer::defaultSocketPath() {
    return runtimeFilePath(QStringLiteral("zelanto.socket"));
}

void HandOverServer::serve(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        QDataStream in(socket);
        in.setVersion(kStreamVersion);
        in.startTransaction();
        QString file;
        in >> file;
        if (!in.commitTransaction()) {
            return;  // the rest of the path is still on its way
        }
        socket->putChar(receive_(file) == HandOverAnswer::Taken ? kTaken : kBusy);
        socket->disconnectFromServer();
    });
}

std::optional<HandOverAnswer> handOverFile(const QString& socketPath, const QString& file,
                                           std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    if (!connectWithin(socket, socketPath, deadline)) {
        return std::nullopt;
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << file;
    socket.write(message);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
        return std::nullopt;
    }
    char answer = 0;
    while (!socket.getChar(&answer)) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return std::nullopt;
        }
    }
    if (answer == kTaken) {
        return HandOverAnswer::Taken;
    }
    if (answer == kBusy) {
        return HandOverAnswer::Busy;
    }
    return std::nullopt;
}

QString simFileArgument(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].isEmpty()) {
        return {};
    }
    const QString& argument = arguments[1];
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

int handOverToRunningCopy(const QString& file, platform::Prompts& prompts,
                          const QString& socketPath, std::chrono::milliseconds timeout) {
    const auto answer = handOverFile(socketPath, file, timeout);
    if (answer == HandOverAnswer::Taken) {
        return 0;
    }
    const char* problem =
        answer == HandOverAnswer::Busy ? texts::kRunningCopyBusy : texts::kRunningCopySilent;
    prompts.message(nullptr, text(problem) + "\r\n" + file, text(texts::kTitle));
    return 1;
}

HandOverAnswer SimFileInbox::deliver(const QString& file) {
    if (!waiting_.isEmpty()) {
        return HandOverAnswer::Busy;
    }
    if (window_ != nullptr) {
        return window_->takeSimFile(file) ? HandOverAnswer::Taken : HandOverAnswer::Busy;
    }
    waiting_ = file;
    return HandOverAnswer::Taken;
}

void SimFileInbox::attach(Form1& window) {
    window_ = &window;
    if (waiting_.isEmpty()) {
        return;
    }
    // After the window's own first-show handler, which was set up when it was made.
    onFirstShown(&window, [this] {
        if (window_ != nullptr) {
            window_->takeSimFile(std::exchange(waiting_, QString()));
        }
    });
}

}  // namespace zelanto::app
