// The CAD side: choosing the CAD program, starting it, and the plot.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <cstdlib>
#include <optional>

#include "app/form1.h"
#include "app/form1_texts.h"
#include "app/window_layout.h"
#include "base/file_system.h"
#include "cad/cad_program.h"
#include "cad/desktop_entry.h"
#include "cad/plot.h"
#include "coords/parcels.h"
#include "platform/qt/path_text.h"
#include "settings/ini_store.h"

namespace zelanto::app {
namespace {

// A desktop launcher chosen in place of the program stands for the program it starts; nothing
// when that program is not there.
std::optional<QString> programOf(const QString& chosen) {
    const char* searchPath = std::getenv("PATH");
    const cad::ProgramSearch search{
        searchPath ? searchPath : "",
        cad::flatpakCommandFolders(platform::pathOf(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)))};
    const auto program = cad::launcherProgram(platform::pathOf(chosen), search);
    if (!program) {
        return chosen;
    }
    if (program->empty()) {
        return std::nullopt;
    }
    return platform::textOf(*program);
}

}  // namespace

void Form1::Command4_Click() {
    services_.prompts.message(this, text(texts::kChooseCadProgram), text(texts::kApplicationTitle));
    dialogFilter_ = {text(texts::kCadProgramFilterDescription), QStringLiteral("*"),
                     text(texts::kCadFilterDescription), QStringLiteral("*.exe")};
    const QString chosen = services_.module1.ShowOpenDialog(this, dialogFilter_);
    const std::optional<QString> program = programOf(chosen);
    if (!program) {
        services_.prompts.message(this, text(texts::kLauncherWithoutProgram) + "\r\n" + chosen,
                                  text(texts::kApplicationTitle));
    }
    cadPath_ = program.value_or(QString());
    const std::string name = base::fileNameAt(platform::pathOf(cadPath_));
    if (cad::isAcceptedCadProgram(platform::pathOf(cadPath_))) {
        services_.prompts.message(this, text(texts::kCadPathAccepted),
                                  text(texts::kApplicationTitle));
        Command4->setText(QString::fromStdString(name) + text(texts::kSettingDoneSuffix));
        services_.files.settingsFolder.prepare();
        WriteValueString(text(settings::kSettingsSection), text(settings::kCadPathKey), cadPath_,
                         settingsFile());
    } else {
        const std::string startupName = base::fileNameAt(platform::pathOf(startupCadPath_));
        Command4->setText(QString::fromStdString(startupName) + text(texts::kSettingDoneSuffix));
        cadPath_ = startupCadPath_;
    }
    parkFocus();
}

void Form1::Command5_Click() {
    if (Command5->text() == text(texts::kLaunchCaption)) {
        launchCad();
        return;
    }
    PLOT();
    releaseSheet();
}

void Form1::launchCad() {
    Label1->setText(text(texts::kPleaseWait));
    try {
        services_.cad.start(platform::pathOf(cadPath_), {});
    } catch (const platform::CadDriverError&) {
        services_.prompts.message(this, text(texts::kNoCadPathYet), text(texts::kTitle));
        Command4_Click();
        services_.prompts.message(this, text(texts::kPressLaunchAgain), text(texts::kTitle));
        return;
    }
    // The CAD program takes a while to come up: the plot is offered once it has had the time.
    services_.module1.WaitMs(2000);
    Label1->setText(text(texts::kPressPlot));
    Command5->setText(text(texts::kPlotCaption));
    Combo1->show();
    Label1->hide();
    setWindowTitle(text(texts::kChooseScaleTitle));
}

void Form1::PLOT() {
    setWindowTitle(text(texts::kMakingScript));
    showMinimized();
    services_.prompts.message(this, plotNotice(), text(texts::kTitle));
    try {
        services_.cad.activate(sheet_.application ? sheet_.application->windowTitle()
                                                  : platform::kSpreadsheetWindowTitle);
    } catch (const std::exception&) {
        // Only brings the sheet forward (a CadDriverError or a HostError); the plot goes on.
    }
    const OutputFolder& files = services_.files.dataFolder;
    const auto scriptPath = files.file(cad::kPlotScriptFileName);
    const auto drawingPath = files.file(cad::kPlotDrawingFileName);
    const std::int16_t denominator = scaleDenominator_;
    const auto worksheet = sheet_.worksheet;
    std::optional<cad::Plot> plot;
    try {
        if (!worksheet || !cad::hasPlottableData(*worksheet)) {
            services_.prompts.message(this, text(texts::kNoPlottableData), text(texts::kTitle));
            releaseSheet();
            close();
            return;
        }
        files.prepare();
        plot.emplace(*worksheet, denominator);
        plot->writeScript(scriptPath);
    } catch (const cad::PlotValueError& error) {
        plotFailed(text(texts::kCoordinateNotANumber) + QString::fromStdString(error.found()));
        return;
    } catch (const std::exception&) {
        plotFailed(text(texts::kErrorEnd));
        return;
    }
    // The drawing is an addition to the script: without it the script's road goes on, and the
    // user is told why it is missing once the keys are sent.
    QString drawingFailure;
    try {
        plot->writeDrawing(drawingPath, parcels_);
    } catch (const std::exception& error) {
        drawingFailure = QString::fromStdString(error.what());
    }
    if (!cad::opensDrawingsOnly(platform::pathOf(cadPath_))) {
        sendScriptToCad(platform::textOf(scriptPath));
    } else if (drawingFailure.isEmpty()) {
        openDrawingInCad(platform::textOf(drawingPath));
    }
    if (!drawingFailure.isEmpty()) {
        services_.prompts.message(this, text(texts::kDrawingNotWritten) + "\r\n" + drawingFailure,
                                  text(texts::kTitle));
    }
    releaseSheet();
    close();
    QCoreApplication::quit();
}

// The notice before the plot; where the files go is added when that is not the program folder.
QString Form1::plotNotice() const {
    QString notice = text(texts::kNoticeWait) + "\r\n\r\n" + text(texts::kNoticeEnd) + "\r\n" +
                     text(texts::kNoticeThanks) + "\r\n\r\n" + text(texts::kCredit);
    const OutputFolder& folder = services_.files.dataFolder;
    if (folder.isUserFolder()) {
        notice +=
            "\r\n\r\n" + text(texts::kPlotFilesFolder) + "\r\n" + platform::textOf(folder.path());
    }
    return notice;
}

void Form1::sendScriptToCad(const QString& scriptPath) {
    try {
        services_.cad.activateCad(cad::kScriptRunningCadTitles);
        services_.cad.sendKeys(cad::kCoordinateSystemTurnZ, false);
        services_.cad.sendKeys(cad::kCoordinateSystemTurnX, false);
        setWindowTitle(text(texts::kRunningScript));
        services_.cad.sendKeys(cad::runScriptKeys(scriptPath.toStdString()), true);
    } catch (const platform::CadDriverError&) {
        // The script is written: the user can still run it by hand.
        services_.prompts.message(this, text(texts::kCadNotDriven) + "\r\n" + scriptPath,
                                  text(texts::kTitle));
    }
}

// A CAD program that runs no script opens the drawing instead: a new start with the drawing as
// its argument works whatever the running one is doing, and it has no way to take a file from
// outside. It shows the drawing in one window, the whole of it: the empty one that
// "Auto_CAD起動" started is closed once the drawing is shown, and the view, which such a program
// opens at its own default, is zoomed to the drawing.
void Form1::openDrawingInCad(const QString& drawingPath) {
    try {
        services_.cad.start(platform::pathOf(cadPath_), {platform::pathOf(drawingPath).string()});
    } catch (const platform::CadDriverError&) {
        services_.prompts.message(this, text(texts::kDrawingNotOpened) + "\r\n" + drawingPath,
                                  text(texts::kTitle));
        return;
    }
    try {
        services_.cad.activateCadShowing(cad::kPlotDrawingFileName);
        // LibreCAD's canvas gives the focus to its command line at the first key it gets, but
        // hands that key on only in a later turn of its event loop: keys read in the same turn, as
        // on a busy machine, reach the command line before it. The zoom's leading blank, which is
        // Return there, then landed behind "z" and ran "z" and "a" (arc) on their own. Shift goes
        // first: it types nothing wherever it lands, and the zoom's keys all follow in order.
        services_.cad.pressShift();
        services_.cad.sendKeys(cad::kZoomToDrawing, true);
        services_.cad.closeEarlierStarts();
    } catch (const platform::CadDriverError&) {
        services_.prompts.message(this, text(texts::kDrawingNotZoomed) + "\r\n" + drawingPath,
                                  text(texts::kTitle));
    }
}

void Form1::plotFailed(const QString& message) {
    services_.prompts.message(this, message, text(texts::kTitle));
    releaseSheet();
    close();
    QCoreApplication::quit();
}

}  // namespace zelanto::app
