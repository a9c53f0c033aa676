#include "app/form2.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "app/window_layout.h"

namespace zelanto::app {
namespace {

constexpr int kBackgroundGrey = 224;
// The texts fade from a grey close to the background to almost black.
constexpr int kStartGrey = 192;
constexpr int kGreyStep = 20;
constexpr int kFadeSteps = 9;

QLabel* textLabel(QWidget* parent, QRect place, double points) {
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPointSizeF(points);
    font.setBold(true);
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool anyWindowShown() {
    return std::ranges::any_of(QApplication::topLevelWidgets(), &QWidget::isVisible);
}

QString dateText(QDate date) {
    return QString::fromUtf8("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

}  // namespace

Form2::Form2(SingleInstance& instance, const Module1& module1, MainWindowFactory createMainWindow,
             QDate today, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      instance_(instance),
      module1_(module1),
      createMainWindow_(std::move(createMainWindow)),
      today_(today) {
    // No window is shown between closing the splash and showing the main window: that moment
    // must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    onFirstShown(this, [this] { Form_Activate(); });
    createWidgets();
}

void Form2::createWidgets() {
    const auto at = [this](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height, this);
    };
    QPalette background = palette();
    background.setColor(QPalette::Window,
                        QColor(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey));
    setPalette(background);
    setAutoFillBackground(true);

    QRect window = at(0, 0, 3240, 1710);
    setFixedSize(window.size());
    window.moveCenter(screen()->geometry().center());
    move(window.topLeft());

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(at(38, 0, 3165, 1650));
    imgLogo = new QLabel(Frame1);
    imgLogo->setGeometry(at(345, 120, 2550, 630));
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/zelanto/logo.png")));
    imgLogo->setScaledContents(true);
    lblProductName = textLabel(Frame1, at(120, 960, 2880, 315), 12);
    Label1 = textLabel(Frame1, at(120, 1320, 2895, 255), 9);
}

int Form2::run() {
    Form_Load();
    // Qt lets events through when a splash screen is shown before the event loop runs, so the
    // fade may be over already; what counts is whether the program has a window left.
    return anyWindowShown() ? QApplication::exec() : 0;
}

void Form2::Form_Load() {
    if (instance_.anotherCopyRunning()) {
        close();
        return;
    }
    show();
}

void Form2::Form_Activate() {
    setTextGrey(kStartGrey);
    lblProductName->setText(QString::fromUtf8("起動しています・・"));
    Label1->setText(dateText(today_));
    // The texts stand for a moment, darken step by step, and stay to be read before the main
    // window comes.
    module1_.WaitMs(500);
    for (int i = 1; i <= kFadeSteps; ++i) {
        setTextGrey(kStartGrey - kGreyStep * i);
        module1_.WaitMs(50);
    }
    module1_.WaitMs(1500);
    handOver();
}

void Form2::setTextGrey(int level) {
    for (QLabel* label : {lblProductName, Label1}) {
        QPalette text = label->palette();
        text.setColor(QPalette::WindowText, QColor(level, level, level));
        label->setPalette(text);
    }
}

void Form2::handOver() {
    close();
    QWidget* mainWindow = createMainWindow_();
    mainWindow->move(0, 0);
    mainWindow->show();
}

}  // namespace zelanto::app
