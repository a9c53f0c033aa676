#pragma once

#include "platform/qt/prompts.h"

namespace zelanto::platform {

// The prompts as Qt shows them: QMessageBox, and Qt's own QFileDialog rather than the desktop's,
// so that every desktop shows the same dialog.
class MessageBoxPrompts : public Prompts {
public:
    void messageWithDetails(QWidget* owner, const QString& text, const QString& title,
                            const QString& details) override;
    bool askYesNo(QWidget* owner, const QString& text, const QString& title) override;
    QString openFile(QWidget* owner, const QString& title, const QStringList& filters) override;
};

}  // namespace zelanto::platform
