#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <functional>

#include "app/services.h"
#include "coords/coordinate_sheet.h"
#include "coords/parcels.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zelanto::app {

// The open-file dialog's filter for SIM files: its description and its pattern.
QStringList simDialogFilter();

// The main window: the top row of buttons and the status line, and below it, when expanded, the
// panel that explains the two functions. Every user action is one of its handlers; it holds what
// they share from one press to the next.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(Services& services, QWidget* parent = nullptr);

    // Imports `path` as if it had been chosen in the open-file dialog of "SIM 読込み", raising the
    // window first; a path that fails the file check is refused with a message that says why.
    // False, doing nothing, while the window is busy: a handler runs, a dialog is open, or the
    // read button is gone or disabled.
    bool takeSimFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // The handlers, connected to their widgets' signals.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Combo1_Change(const QString& text);
    void Label4_Click();

private:
    // Settings store operations on INI files.
    static QString GetIniString(const QString& garSection, const QString& garKey,
                                const QString& garFileName);
    static void WriteValueString(const QString& garSection, const QString& garKey,
                                 const QString& garValue, const QString& garFileName);

    void createWidgets();
    void Form_Load();
    void Form_Activate();
    void setOuterSize(int widthTwips, int heightTwips);
    void parkFocus();
    void releaseSheet() noexcept;
    QString settingsFile() const;

    // Runs a handler; the window counts as busy until it returns.
    void runAsHandler(const std::function<void()>& handler);

    // Parts of the roads.
    void importSimFile(const QString& path);
    void importFileFromOutside(const QString& path);
    void importFile(const coords::SheetReferences& sheet);
    bool mergeFile();
    void readFailed(const std::exception& error);
    void launchCad();
    QString plotNotice() const;
    void plotFailed(const QString& text);
    void sendScriptToCad(const QString& scriptPath);
    void openDrawingInCad(const QString& drawingPath);
    void PLOT();
    void SIM_WRITE();

    // The widgets, each named after itself so that it can be found by name.
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QComboBox* Combo1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QWidget* Picture1;
    QGroupBox* Frame1;
    QLabel* Image1;

    Services& services_;
    QStringList dialogFilter_;
    QString simFilePath_;
    std::int32_t mergeCounter_ = 1;
    bool expanded_ = false;
    QString cadPath_;
    QString startupCadPath_;
    std::int16_t scaleDenominator_ = 500;
    coords::SheetReferences sheet_;
    // The parcels of the imported file, for the plot's drawing; those that did not read are left
    // out without a word.
    std::vector<coords::Parcel> parcels_;
    // A merge press that arrives while another one waits is held back.
    bool mergeInProgress_ = false;
    // Handlers under way, one inside another's pause included.
    int handlersRunning_ = 0;
};

}  // namespace zelanto::app
