#pragma once

#include <QString>

class QWidget;

namespace zelanto::platform {

// What the program asks of the user: modal message boxes and the open-file dialog, each owned by
// a window of the program.
class Prompts {
public:
    virtual ~Prompts() = default;

    // An OK-only box without an icon.
    void message(QWidget* owner, const QString& text, const QString& title) {
        messageWithDetails(owner, text, title, QString());
    }
    // The same box with `details` behind a button of its own, for what the short text leaves
    // out; empty details give the plain box.
    virtual void messageWithDetails(QWidget* owner, const QString& text, const QString& title,
                                    const QString& details) = 0;
    // Yes and No, Yes the default button, no icon. True for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& text, const QString& title) = 0;
    // The open-file dialog titled `title`, offering the description/pattern pairs of `filters`,
    // accepting only an existing file. Returns its full path, or the empty text on cancel.
    virtual QString openFile(QWidget* owner, const QString& title, const QStringList& filters) = 0;
};

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
