#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

#include "app/file_hand_over.h"
#include "platform/qt/prompts.h"

namespace zelanto::app {

// The SIM file the program was started with (as a file manager starts it: a path, or a file URL),
// as an absolute path; empty without one. Only the first argument counts.
QString simFileArgument(const QStringList& arguments);

// Run by a copy started with a SIM file while another copy runs: hands the file over to it and,
// when the running copy is busy or does not answer, tells the user so, naming the file. Returns
// the exit code: 0 when the running copy took the file, 1 otherwise.
int handOverToRunningCopy(const QString& file, platform::Prompts& prompts,
                          const QString& socketPath = HandOverServer::defaultSocketPath(),
                          std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace zelanto::app
