#include "app/file_hand_over.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include "app/single_instance.h"

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

}  // namespace zelanto::app
