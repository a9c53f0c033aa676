// "SIM 読込み": one SIM file into a new coordinate sheet, which is then shown.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/form1.h"
#include "app/form1_texts.h"
#include "app/window_layout.h"
#include "coords/sim_file.h"
#include "coords/sim_import.h"
#include "coords/sim_read_error.h"
#include "platform/qt/path_text.h"

namespace zelanto::app {

QStringList simDialogFilter() {
    return {text(texts::kSimFilterDescription), QStringLiteral("*.sim")};
}

void Form1::Command1_Click() {
    dialogFilter_ = simDialogFilter();
    importSimFile(services_.module1.ShowOpenDialog(this, dialogFilter_));
}

bool Form1::takeSimFile(const QString& path) {
    if (handlersRunning_ > 0 || QApplication::activeModalWidget() != nullptr ||
        Command1->isHidden() || !Command1->isEnabled()) {
        return false;
    }
    showNormal();
    raise();
    activateWindow();
    // Busy from here: the import runs once the event that brought the file is through.
    ++handlersRunning_;
    QTimer::singleShot(0, this, [this, path] {
        --handlersRunning_;
        runAsHandler([this, &path] { importFileFromOutside(path); });
    });
    return true;
}

// A file from a file manager or the command line. A choice in the dialog that fails the file
// check is refused silently, as users of the dialog know it; a file from outside would then seem
// to vanish, so its refusal is said.
void Form1::importFileFromOutside(const QString& path) {
    if (const auto refusal = coords::simFileRefusal(platform::pathOf(path))) {
        services_.prompts.message(this,
                                  text(texts::kFileNotImported) + "\r\n" +
                                      QString::fromStdString(coords::describeSimFileRefusal(
                                          platform::pathOf(path), *refusal)),
                                  text(texts::kTitle));
        parkFocus();
        return;
    }
    importSimFile(path);
}

// The import from the chosen path on: the file check, then the file into a new sheet.
void Form1::importSimFile(const QString& path) {
    simFilePath_ = path;
    if (!coords::passesSimFileCheck(platform::pathOf(simFilePath_))) {
        Command2->setEnabled(false);
        parkFocus();
        return;
    }
    coords::SheetReferences sheet;
    try {
        sheet = coords::startCoordinateWorkbook(services_.host);
        sheet_ = sheet;
        Command2->setEnabled(false);
        coords::nameCoordinateSheet(*sheet.worksheet);
        Label1->setText(QString());
        coords::layOutCoordinateSheet(*sheet.worksheet);
    } catch (const platform::HostError&) {
        services_.prompts.message(this, text(texts::kSheetNotCreated), text(texts::kTitle));
        parkFocus();
        return;
    }
    try {
        importFile(sheet);
    } catch (const std::exception& error) {
        readFailed(error);
        return;
    }
    Command1->hide();
    Command5->show();
    parkFocus();
}

// Reads the chosen file into `sheet` and shows it. Throws on any failure on the way; the points
// read before it stay in the sheet.
void Form1::importFile(const coords::SheetReferences& sheet) {
    coords::SimImport import(platform::pathOf(simFilePath_));
    Label1->setText(text(texts::kReadingSimData));
    import.skipToFirstPoint();
    import.readPoints(*sheet.worksheet);
    Label1->setText(text(texts::kWritingToSheet));
    // The rest of the file, in the same pass, for the parcels that the plot draws.
    parcels_ = std::move(import.finish().parcels.parcels);
    // The status texts follow the work they name, which is done by now: each stays a second so
    // that the user can read it, and the window stays live meanwhile.
    services_.module1.WaitMs(1000);
    Label1->setText(text(texts::kStartingSpreadsheet));
    services_.module1.WaitMs(1000);
    // Whatever arrived during the last pause is handled before the sheet takes the screen.
    QCoreApplication::processEvents();
    sheet.application->setVisible(true);
    Label1->setText(text(texts::kPressLaunch));
}

// The error path of a file that did not read, shared by the import and the merge: the fixed
// message, with the file, line and item the reader names behind its details button, so that the
// bad line can be found; other failures have no such place and show the message alone.
void Form1::readFailed(const std::exception& error) {
    const auto* readError = dynamic_cast<const coords::SimReadError*>(&error);
    const QString details = readError != nullptr
                                ? QString::fromStdString(coords::describeReadError(*readError))
                                : QString();
    services_.prompts.messageWithDetails(this, text(texts::kCannotOpenSimFile), text(texts::kTitle),
                                         details);
    Label1->setText(text(texts::kCheckSimFile));
    parkFocus();
}

}  // namespace zelanto::app
