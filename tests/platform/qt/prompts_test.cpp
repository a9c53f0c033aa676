#include "platform/qt/prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "tests/app/qt_printers.h"
#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

using testing::TempFolder;

// Acts as the user on the modal dialogs that the code under test opens: each step gets the
// active modal widget and says whether it was the one it waits for. The polling timer belongs to
// the owner window, so that it dies with the test.
class User {
public:
    using Step = std::function<bool(QWidget* modal)>;

    User(QWidget* owner, std::deque<Step> steps) : steps_(std::move(steps)), timer_(owner) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }
    bool done() const { return steps_.empty(); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !steps_.empty() && steps_.front()(modal)) {
            steps_.pop_front();
        }
    }

    std::deque<Step> steps_;
    QTimer timer_;
};

struct BoxSeen {
    QString title;
    QString text;
    QString details;
    QMessageBox::Icon icon = QMessageBox::Information;
    QList<QMessageBox::StandardButton> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    const QWidget* parent = nullptr;
};

// Notes what the box shows and presses `press` (or the default button when NoButton).
User::Step answerBox(BoxSeen& seen, QMessageBox::StandardButton press) {
    return [&seen, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            return false;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.details = box->detailedText();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << box->standardButton(button);
        }
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.parent = box->parentWidget();
        if (press == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            box->button(press)->click();
        }
        return true;
    };
}

User::Step inFileDialog(std::function<void(QFileDialog*)> act) {
    return [act](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog != nullptr) {
            act(dialog);
        }
        return dialog != nullptr;
    };
}

// Types `name` and presses Return once the step has ended, as the dialog may open a box of its
// own in answer.
void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    QMetaObject::invokeMethod(
        edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); }, Qt::QueuedConnection);
}

class MessageBoxPromptsTest : public ::testing::Test {
protected:
    QWidget owner;
    MessageBoxPrompts prompts;
};

TEST_F(MessageBoxPromptsTest, MessageIsAnOkOnlyBoxWithoutIconOwnedByTheWindow) {
    BoxSeen seen;
    User user(&owner, {answerBox(seen, QMessageBox::NoButton)});

    prompts.message(&owner, QString::fromUtf8("メッセージ"), QStringLiteral("ZELANTO"));

    EXPECT_TRUE(user.done());
    EXPECT_EQ(seen.title, "ZELANTO");
    EXPECT_EQ(seen.text, QString::fromUtf8("メッセージ"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QList{QMessageBox::Ok});
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_EQ(seen.details, "");
}

TEST_F(MessageBoxPromptsTest, MessageWithDetailsKeepsItsTextAndOffersTheDetails) {
    BoxSeen seen;
    User user(&owner, {answerBox(seen, QMessageBox::NoButton)});

    prompts.messageWithDetails(&owner, QString::fromUtf8("　SIMファィルが開けません"),
                               QStringLiteral("ZELANTO"), QStringLiteral("a.sim:7: details"));

    EXPECT_TRUE(user.done());
    EXPECT_EQ(seen.title, "ZELANTO");
    EXPECT_EQ(seen.text, QString::fromUtf8("　SIMファィルが開けません"));
    EXPECT_EQ(seen.details, "a.sim:7: details");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_TRUE(seen.buttons.contains(QMessageBox::Ok));
    EXPECT_EQ(seen.defaultButton, QMessageBox::Ok);
}

TEST_F(MessageBoxPromptsTest, QuestionOffersYesAndNoWithYesTheDefault) {
    BoxSeen first;
    BoxSeen second;
    User user(&owner,
              {answerBox(first, QMessageBox::NoButton), answerBox(second, QMessageBox::No)});

    EXPECT_TRUE(prompts.askYesNo(&owner, QStringLiteral("Done?"), QStringLiteral("zelanto")));
    EXPECT_FALSE(prompts.askYesNo(&owner, QStringLiteral("Done?"), QStringLiteral("zelanto")));

    EXPECT_TRUE(user.done());
    EXPECT_EQ(first.title, "zelanto");
    EXPECT_EQ(first.text, "Done?");
    EXPECT_EQ(first.icon, QMessageBox::NoIcon);
    EXPECT_EQ(first.defaultButton, QMessageBox::Yes);
    EXPECT_EQ(first.buttons.size(), 2);
    EXPECT_TRUE(first.buttons.contains(QMessageBox::Yes));
    EXPECT_TRUE(first.buttons.contains(QMessageBox::No));
}

TEST_F(MessageBoxPromptsTest, FileDialogShowsTitleAndFiltersAndReturnsTheAbsolutePath) {
    TempFolder folder;
    testing::writeBytes(folder / "点.sim", "A01,1,P1,0,0,,\r\n");
    const QString folderPath = QString::fromStdString(folder.path().string());
    QString title;
    QStringList filters;
    const auto chooseTheFile = inFileDialog([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->setDirectory(folderPath);
        typeFileName(dialog, QString::fromUtf8("点.sim"));
    });
    User user(&owner, {chooseTheFile});

    const QString path =
        prompts.openFile(&owner, QStringLiteral("Open"),
                         {QString::fromUtf8("SIMファイル(*.sim)"), "*.sim", "CAD", "*.exe"});

    EXPECT_TRUE(user.done());
    EXPECT_EQ(path, folderPath + QString::fromUtf8("/点.sim"));
    EXPECT_EQ(title, "Open");
    EXPECT_EQ(filters, QStringList({QString::fromUtf8("SIMファイル(*.sim)"), "CAD (*.exe)"}));
}

TEST_F(MessageBoxPromptsTest, FileDialogRefusesAMissingFileAndCancelGivesTheEmptyText) {
    TempFolder folder;
    BoxSeen refusal;
    const QWidget* shownDialog = nullptr;
    const auto typeAMissingName = inFileDialog([&](QFileDialog* dialog) {
        shownDialog = dialog;
        dialog->setDirectory(QString::fromStdString(folder.path().string()));
        typeFileName(dialog, QStringLiteral("missing.sim"));
    });
    const auto cancel = inFileDialog([](QFileDialog* dialog) { dialog->reject(); });
    User user(&owner, {typeAMissingName, answerBox(refusal, QMessageBox::NoButton), cancel});

    EXPECT_EQ(prompts.openFile(&owner, QStringLiteral("Open"), {"SIM", "*.sim"}), "");
    EXPECT_TRUE(user.done());
    EXPECT_EQ(refusal.parent, shownDialog);
    EXPECT_TRUE(refusal.text.contains("missing.sim"));
}

}  // namespace
}  // namespace zelanto::platform
