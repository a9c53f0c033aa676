#pragma once

// One copy of the program runs at a time. A later copy started with a SIM file (as a file manager
// starts it) hands the file over to the running one and ends; the running copy's main window
// imports it, or says it is busy.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

#include "platform/qt/prompts.h"

class QLocalSocket;

namespace zelanto::app {

class Form1;

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

// The SIM file the program was started with (as a file manager starts it: a path, or a file URL),
// as an absolute path; empty without one. Only the first argument counts.
QString simFileArgument(const QStringList& arguments);

// Run by a copy started with a SIM file while another copy runs: hands the file over to it and,
// when the running copy is busy or does not answer, tells the user so, naming the file. Returns
// the exit code: 0 when the running copy took the file, 1 otherwise.
int handOverToRunningCopy(const QString& file, platform::Prompts& prompts,
                          const QString& socketPath = HandOverServer::defaultSocketPath(),
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Where a SIM file given to the program, on its command line or by a later copy, reaches the main
// window: at once when the window can take it, or, while the splash still shows, once the window
// has been shown.
class SimFileInbox {
public:
    // Busy when the window cannot take the file now, or another one already waits for it.
    HandOverAnswer deliver(const QString& file);

    // The main window has been made: the file that waits for it is imported once it is shown.
    void attach(Form1& window);

private:
    QPointer<Form1> window_;
    QString waiting_;
};

}  // namespace zelanto::app
