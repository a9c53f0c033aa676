#include "platform/qt/prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zelanto::platform {
namespace {

QMessageBox::StandardButton showBox(QWidget* owner, const QString& text, const QString& title,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton,
                                    const QString& details = QString()) {
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, owner);
    box.setDefaultButton(defaultButton);
    box.setDetailedText(details);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

// Qt reads the patterns from the parentheses of a name filter; a description that already shows
// its pattern that way is used as it is.
QString nameFilter(const QString& description, const QString& pattern) {
    const QString shown = QStringLiteral("(%1)").arg(pattern);
    return description.contains(shown) ? description : description + u' ' + shown;
}

QStringList nameFilters(const QStringList& pairs) {
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        filters << nameFilter(pairs[i], pairs[i + 1]);
    }
    return filters;
}

}  // namespace

void MessageBoxPrompts::messageWithDetails(QWidget* owner, const QString& text,
                                           const QString& title, const QString& details) {
    showBox(owner, text, title, QMessageBox::Ok, QMessageBox::Ok, details);
}

bool MessageBoxPrompts::askYesNo(QWidget* owner, const QString& text, const QString& title) {
    return showBox(owner, text, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

QString MessageBoxPrompts::openFile(QWidget* owner, const QString& title,
                                    const QStringList& filters) {
    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(filters));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

}  // namespace zelanto::platform
