// "SIM 合体": up to three SIM files one below the other in one sheet, then one merged SIM file.
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>

#include "app/form1.h"
#include "app/form1_texts.h"
#include "app/window_layout.h"
#include "coords/sim_file.h"
#include "coords/sim_import.h"
#include "coords/sim_writer.h"
#include "platform/qt/path_text.h"

namespace zelanto::app {

void Form1::Command2_Click() {
    if (mergeInProgress_) {
        return;
    }
    Command1->setEnabled(false);
    if (mergeCounter_ > coords::kMergeFileLimit) {
        services_.prompts.message(
            this, text(texts::kThreeFilesOnly) + "\r\n" + text(texts::kOrOverFiftyThousand),
            text(texts::kTitle));
        SIM_WRITE();
        return;
    }
    dialogFilter_ = simDialogFilter();
    simFilePath_ = services_.module1.ShowOpenDialog(this, dialogFilter_);
    if (!coords::passesSimFileCheck(platform::pathOf(simFilePath_))) {
        return;
    }
    bool read = false;
    try {
        const QScopedValueRollback<bool> holdBackPresses(mergeInProgress_, true);
        read = mergeFile();
    } catch (const std::exception& error) {
        readFailed(error);
        mergeCounter_ = 1;
        releaseSheet();
        return;
    }
    if (!read) {
        services_.prompts.message(this, text(texts::kSheetFull), text(texts::kTitle));
        SIM_WRITE();
        return;
    }
    if (services_.prompts.askYesNo(this, text(texts::kFinishQuestion), text(texts::kTitle))) {
        if (const auto sheet = sheet_.worksheet) {
            try {
                sheet->select(platform::Row(1), coords::kNumberColumn);
            } catch (const platform::HostError&) {
                // The writer meets the same host and reports it.
            }
        }
        SIM_WRITE();
        return;
    }
    ++mergeCounter_;
    parkFocus();
}

// Reads the chosen file into the sheet: the first file into a new one, later files below the
// points already there. False, having read nothing, when no row was left for this file; throws on
// any failure.
bool Form1::mergeFile() {
    coords::SimReader reader(platform::pathOf(simFilePath_));
    Label1->setText(text(texts::kReadingData));
    reader.skipToFirstPoint();
    if (mergeCounter_ == 1) {
        const coords::SheetReferences sheet = coords::startCoordinateWorkbook(services_.host);
        sheet_ = sheet;
        coords::nameCoordinateSheet(*sheet.worksheet);
        Label1->setText(text(texts::kReadingData));
        coords::layOutCoordinateSheet(*sheet.worksheet);
        coords::mergeFirstFile(reader, *sheet.worksheet);
    } else {
        const auto worksheet = sheet_.worksheet;
        if (!worksheet) {
            throw platform::HostError("no coordinate sheet");
        }
        const platform::Row freeRow = coords::firstFreeRow(*worksheet);
        Label1->setText(text(texts::kReadingData));
        if (coords::isMergeSheetFull(freeRow)) {
            return false;
        }
        coords::mergeFollowingFile(reader, *worksheet, freeRow);
    }
    reader.close();
    Label1->setText(text(texts::kReadingDone));
    // The work it names is done: the text stays a second so that the user can read it.
    services_.module1.WaitMs(1000);
    return true;
}

void Form1::SIM_WRITE() {
    const coords::SheetReferences sheet = sheet_;
    try {
        if (sheet.application) {
            sheet.application->setVisible(true);
        }
    } catch (const platform::HostError&) {
        // The file matters more than the view: writing goes on and reports its own failure.
    }
    const OutputFolder& folder = services_.files.dataFolder;
    const auto output = folder.file(coords::kMergedSimFileName);
    services_.prompts.message(this, text(texts::kRenumbering), text(texts::kWriteStartTitle));
    try {
        if (!sheet.worksheet) {
            throw platform::HostError("no coordinate sheet");
        }
        folder.prepare();
        coords::MergedSimWriter writer(output);
        // Only a file that could be created is being saved.
        Label1->setText(text(texts::kSavingSimData));
        writer.write(*sheet.worksheet);
        Label1->setText(text(texts::kSavingDone));
        services_.prompts.message(this,
                                  platform::textOf(folder.path()) + text(texts::kSavedTo) +
                                      "\r\n\r\n" + text(texts::kCheckLater),
                                  text(texts::kTitle));
    } catch (const std::exception&) {
        services_.prompts.message(this, text(texts::kWriteError), text(texts::kTitle));
    }
    releaseSheet();
    close();
}

}  // namespace zelanto::app
