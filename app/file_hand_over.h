#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

class QLocalSocket;

namespace zelanto::app {

// What the running copy made of a file handed over to it.
enum class HandOverAnswer { Taken, Busy };

// The running copy's end of the hand-over: listens at `socketPath` (a socket left there by a copy
// that crashed is replaced) for the files that later copies hand over, and answers each with what
// `receive` says. Only the user's own processes may connect.
class HandOverServer : public QObject {
    Q_OBJECT

public:
    using Receiver = std::function<HandOverAnswer(const QString& file)>;

    HandOverServer(const QString& socketPath, Receiver receive, QObject* parent = nullptr);

    bool isListening() const { return server_.isListening(); }

    // "zelanto.socket" in the runtime folder.
    static QString defaultSocketPath();

private:
    void serve(QLocalSocket* socket);

    QLocalServer server_;
    Receiver receive_;
};

// A later copy's end: hands `file` to the copy listening at `socketPath` and returns its answer;
// nothing when no copy answered within `timeout` (none listens, or it is stuck).
std::optional<HandOverAnswer> handOverFile(const QString& socketPath, const QString& file,
                                           std::chrono::milliseconds timeout);

}  // namespace zelanto::app
