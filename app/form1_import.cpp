// "SIM 読込み": one SIM file into a new coordinate sheet, which is then shown.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "app/form1.h"
#include "app/form1_texts.h"
#include "app/module1.h"
#include "coords/sim_file_check.h"
#include "coords/sim_import.h"

namespace zelanto::app {

QString simDialogFilter() {
    return text(texts::kSimFilterDescription) + QChar(0) + "*.sim" + QChar(0);
}

void Form1::Command1_Click() {
    dialogFilter_ = simDialogFilter();
    simFilePath_ = Module1::ShowOpenDialog(this, dialogFilter_);
    if (!coords::passesSimFileCheck(simFilePath_.toStdString())) {
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
    if (!importFile(sheet)) {
        services_.prompts.message(this, text(texts::kCannotOpenSimFile), text(texts::kTitle));
        Label1->setText(text(texts::kCheckSimFile));
        parkFocus();
        return;
    }
    Command1->hide();
    Command5->show();
    parkFocus();
}

// Reads the chosen file into `sheet` and shows it. False on any failure on the way; the points
// read before it stay in the sheet.
bool Form1::importFile(const coords::SheetReferences& sheet) {
    try {
        coords::SimReader reader(simFilePath_.toStdString());
        Label1->setText(text(texts::kReadingSimData));
        reader.skipToFirstPoint();
        coords::importPoints(reader, *sheet.worksheet);
        Label1->setText(text(texts::kWritingToSheet));
        reader.close();
        Module1::WaitMs(1000);
        Label1->setText(text(texts::kStartingSpreadsheet));
        Module1::WaitMs(1000);
        QCoreApplication::processEvents();
        sheet.application->setVisible(true);
        Label1->setText(text(texts::kPressLaunch));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace zelanto::app
