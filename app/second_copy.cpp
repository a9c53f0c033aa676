#include "app/second_copy.h"

#include <QFileInfo>
#include <QUrl>

#include "app/form1_texts.h"
#include "app/qt_text.h"

namespace zelanto::app {

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

}  // namespace zelanto::app
