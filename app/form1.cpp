#include "app/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>

#include "app/form1_texts.h"
#include "app/window_layout.h"
#include "base/file_system.h"
#include "cad/cad_program.h"
#include "cad/plot.h"
#include "platform/qt/path_text.h"
#include "settings/ini_store.h"

namespace zelanto::app {
namespace {

// Outer sizes in twips; the frame around the client area takes this much of them.
constexpr int kWindowWidth = 7080;
constexpr int kCollapsedHeight = 915;
constexpr int kExpandedHeight = 5000;
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 420;

constexpr const char* kUiGothic = "MS UI Gothic";

QFont fontOf(const char* family, double points, bool bold = false) {
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, const char* text, QRect place,
                    const char* face) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    // Buttons are drawn in their own face colour, not the system's.
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(face));
    return b;
}

QLabel* label(QWidget* parent, const char* name, QRect place, const QFont& font,
              Qt::Alignment alignment) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(alignment);
    return l;
}

// The substituted Japanese fonts run larger than the ones the layout was made for: a label's
// text is shrunk until it fits its box, so that nothing is cut off.
void fitTextIntoLabel(QLabel* label) {
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    QFont font = label->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).boundingRect(label->contentsRect(), flags, label->text()).height() >
               label->contentsRect().height()) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(label->text()) > label->contentsRect().width() &&
           !label->wordWrap()) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    label->setFont(font);
}

QString scaleText(const cad::Scale& scale) {
    return QString::fromUtf8(scale.text.data(), static_cast<qsizetype>(scale.text.size()));
}

QString label2Text() {
    QStringList lines;
    for (const char* line : texts::kLabel2Lines) {
        lines << QString::fromUtf8(line);
    }
    return lines.join(QStringLiteral("\r\n"));
}

}  // namespace

Form1::Form1(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    createWidgets();
    Form_Load();
    onFirstShown(this, [this] { Form_Activate(); });
}

void Form1::createWidgets() {
    const auto at = [this](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height, this);
    };
    const char* lilac = "rgb(192, 192, 255)";
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(224, 224, 224)));

    Command1 = button(this, "Command1", texts::kCommand1Caption, at(4800, 0, 1695, 495), lilac);
    Label1 = label(this, "Label1", at(120, 120, 3135, 375), fontOf(kUiGothic, 9.75),
                   Qt::AlignLeft | Qt::AlignVCenter);
    Command2 = button(this, "Command2", texts::kCommand2Caption, at(3120, 0, 1695, 495), lilac);
    Command3 = button(this, "Command3", texts::kExpandCaption, at(6480, 0, 495, 495), "white");
    Command3->setFont(fontOf(kUiGothic, 11.25, true));

    Frame1 = new QGroupBox(text(texts::kFrame1Caption), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(at(120, 720, 6735, 3015));
    Frame1->setFont(fontOf(kUiGothic, 11.25, true));
    Frame1->setStyleSheet(QStringLiteral(
        "QGroupBox { background-color: rgb(224, 224, 224); color: rgb(0, 0, 192); }"));
    Label2 = label(Frame1, "Label2", at(120, 240, 6495, 2655), fontOf(kUiGothic, 11.25),
                   Qt::AlignLeft | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setStyleSheet(
        QStringLiteral("QLabel { color: rgb(0, 0, 192); background-color: white; }"));

    Label3 = label(this, "Label3", at(3000, 4275, 3735, 255), fontOf("ＭＳ ゴシック", 9.75),
                   Qt::AlignCenter);
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(at(3000, 7320, 375, 255));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Command4 = button(this, "Command4", texts::kCommand4Caption, at(2760, 3840, 4095, 300), lilac);
    Command5 = button(this, "Command5", texts::kLaunchCaption, at(4800, 0, 1695, 495), lilac);
    Command5->hide();

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setGeometry(at(600, 120, 2175, 315));
    Combo1->setFont(fontOf(kUiGothic, 9.75));
    Combo1->setStyleSheet(QStringLiteral("QComboBox { background: white; color: black; }"));
    Combo1->hide();

    Label4 = label(Frame1, "Label4", at(5040, 2640, 1575, 255), fontOf(kUiGothic, 9.75, true),
                   Qt::AlignCenter);
    Label4->setText(text(texts::kHelpLink));
    Label4->setCursor(Qt::WhatsThisCursor);
    Label4->raise();  // drawn above the corner of Label2 it lies on
    Label4->installEventFilter(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(at(120, 3840, 2550, 630));
    Image1->setPixmap(QPixmap(QStringLiteral(":/zelanto/logo.png")));
    Image1->setToolTip(QStringLiteral("alt=EXE→Excel→Auto_CAD"));

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Picture1);
    setTabOrder(Picture1, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Combo1);

    const auto onClick = [this](QPushButton* button, void (Form1::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { runAsHandler([this, handler] { (this->*handler)(); }); });
    };
    onClick(Command1, &Form1::Command1_Click);
    onClick(Command2, &Form1::Command2_Click);
    onClick(Command3, &Form1::Command3_Click);
    onClick(Command4, &Form1::Command4_Click);
    onClick(Command5, &Form1::Command5_Click);
    connect(Combo1, &QComboBox::editTextChanged, this, &Form1::Combo1_Change);
}

void Form1::Form_Load() {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Label1->setText(text(texts::kChooseSimFile));
    setOuterSize(kWindowWidth, kCollapsedHeight);
    setWindowTitle(text(texts::kTitle));
    Label2->setText(label2Text());
    fitTextIntoLabel(Label2);
    Label3->setText(text(texts::kCredit));
    fitTextIntoLabel(Label3);
    // Below the bottom edge of the screen: it takes the focus, but is never seen.
    const QScreen* screen = this->screen();
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 0;
    Picture1->move(0, screenHeight + twipsToPixels(100, this));
    mergeCounter_ = 1;
    expanded_ = false;
    cadPath_ =
        GetIniString(text(settings::kSettingsSection), text(settings::kCadPathKey), settingsFile());
    startupCadPath_ = cadPath_;
    for (const cad::Scale& scale : cad::kScales) {
        Combo1->addItem(scaleText(scale));
    }
    Combo1->setEditText(scaleText(cad::kDefaultScale));
}

void Form1::Form_Activate() {
    parkFocus();
    const std::filesystem::path path = platform::pathOf(cadPath_);
    if (cad::showsAsChosenCadProgram(path)) {
        Command4->setText(QString::fromStdString(base::fileNameAt(path)) +
                          texts::kSettingDoneSuffix);
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    releaseSheet();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        runAsHandler([this] { Label4_Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Combo1_Change(const QString& text) {
    const auto denominator = cad::scaleDenominator(text.toStdString());
    if (!denominator) {
        // Anything else never stays: the text snaps back to the default scale.
        Combo1->setEditText(scaleText(cad::kDefaultScale));
        scaleDenominator_ = cad::kDefaultScale.denominator;
        return;
    }
    scaleDenominator_ = *denominator;
    // The list's selection follows the entry shown, so that the arrow keys move on from it.
    Combo1->setCurrentIndex(Combo1->findText(text));
}

void Form1::Command3_Click() {
    if (!expanded_) {
        setOuterSize(kWindowWidth, kExpandedHeight);
        Command3->setText(text(texts::kCollapseCaption));
        expanded_ = true;
    } else {
        setOuterSize(kWindowWidth, kCollapsedHeight);
        Command3->setText(text(texts::kExpandCaption));
        expanded_ = false;
    }
    parkFocus();
}

void Form1::Label4_Click() {
    const QString help = platform::textOf(services_.files.helpFile);
    showMinimized();
    // The window is out of the way, on the screen too, before the help's viewer comes up.
    services_.module1.WaitMs(500);
    if (base::fileNameAt(services_.files.helpFile).empty()) {
        services_.prompts.message(this, text(texts::kHelpMissing) + "\r\n" + help,
                                  text(texts::kTitle));
    } else if (!services_.opener.openMaximized(services_.files.helpFile, texts::kHelpTitle)) {
        services_.prompts.message(this, text(texts::kHelpNotOpened) + "\r\n" + help,
                                  text(texts::kTitle));
    }
}

QString Form1::GetIniString(const QString& garSection, const QString& garKey,
                            const QString& garFileName) {
    return QString::fromStdString(settings::GetIniString(
        garSection.toStdString(), garKey.toStdString(), platform::pathOf(garFileName).string()));
}

void Form1::WriteValueString(const QString& garSection, const QString& garKey,
                             const QString& garValue, const QString& garFileName) {
    settings::WriteValueString(garSection.toStdString(), garKey.toStdString(),
                               garValue.toStdString(), platform::pathOf(garFileName).string());
}

void Form1::runAsHandler(const std::function<void()>& handler) {
    const QScopedValueRollback<int> busy(handlersRunning_, handlersRunning_ + 1);
    handler();
}

void Form1::setOuterSize(int widthTwips, int heightTwips) {
    setFixedSize(twipsToPixels(widthTwips - kFrameWidth, this),
                 twipsToPixels(heightTwips - kFrameHeight, this));
}

void Form1::parkFocus() {
    Picture1->setFocus();
}

void Form1::releaseSheet() noexcept {
    sheet_.release();
}

QString Form1::settingsFile() const {
    return platform::textOf(services_.files.settingsFile());
}

}  // namespace zelanto::app
