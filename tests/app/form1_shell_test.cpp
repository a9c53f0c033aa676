#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "settings/ini_store.h"
#include "tests/app/form1_fixture.h"

namespace zelanto::testing {
namespace {

using Form1Shell = Form1Test;

void writeCadPath(const std::filesystem::path& folder, const std::string& path) {
    settings::WriteValueString(settings::kSettingsSection, settings::kCadPathKey, path,
                               settings::settingsFileIn(folder));
}

TEST_F(Form1Shell, FreshStartWithoutSettings) {
    app::Form1& w = start();
    EXPECT_EQ(w.windowTitle(), "ZELANTO");
    EXPECT_EQ(w.heightTwips(), 915);
    EXPECT_EQ(w.widthTwips(), 7080);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.Label1->text(), "SIMファイルを選択してください・・・");
    EXPECT_EQ(w.Command4->text(), "Auto_CADへのルートパス設定");
    EXPECT_TRUE(w.Command1->isVisible());
    EXPECT_FALSE(w.Command5->isVisible());
    EXPECT_FALSE(w.Combo1->isVisible());
    EXPECT_EQ(w.Combo1->currentText(), "1/500");
    EXPECT_EQ(w.Combo1->count(), 7);
    EXPECT_EQ(w.scaleDenominator(), 500);
    EXPECT_EQ(w.cadPath(), "not found");
    EXPECT_EQ(w.mergeCounter(), 1);
    EXPECT_TRUE(w.Picture1->hasFocus());
    EXPECT_GT(w.Picture1->y(), w.height());  // parked out of sight
    EXPECT_TRUE(w.Label2->text().startsWith("\r\n「SIM 合体」\r\n"));
    EXPECT_EQ(w.Label4->cursor().shape(), Qt::WhatsThisCursor);
}

TEST_F(Form1Shell, StoredCadPathShowsOnItsButtonOnlyForLowerCaseExe) {
    file("acad.exe", "");
    writeCadPath(folder.path(), (folder / "acad.exe").string());
    EXPECT_EQ(start().Command4->text(), "acad.exe 設定済み");

    file("ACAD.EXE", "");
    writeCadPath(folder.path(), (folder / "ACAD.EXE").string());
    EXPECT_EQ(start().Command4->text(), "Auto_CADへのルートパス設定");
}

TEST_F(Form1Shell, StoredExecutableProgramShowsOnItsButtonWhateverItsName) {
    std::filesystem::permissions(file("librecad", "#!/bin/sh\n"),
                                 std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    writeCadPath(folder.path(), (folder / "librecad").string());
    EXPECT_EQ(start().Command4->text(), "librecad 設定済み");

    file("notes.txt", "");
    writeCadPath(folder.path(), (folder / "notes.txt").string());
    EXPECT_EQ(start().Command4->text(), "Auto_CADへのルートパス設定");
}

TEST_F(Form1Shell, ExpandAndCollapse) {
    app::Form1& w = start();
    w.Command3->click();
    EXPECT_EQ(w.heightTwips(), 5000);
    EXPECT_EQ(w.widthTwips(), 7080);
    EXPECT_EQ(w.Command3->text(), "▲");
    EXPECT_TRUE(w.Picture1->hasFocus());
    const int expandedHeight = w.height();
    w.Command3->click();
    EXPECT_EQ(w.heightTwips(), 915);
    EXPECT_EQ(w.Command3->text(), "▼");
    EXPECT_LT(w.height(), expandedHeight);
    // Collapsed, the client area shows exactly the top row of buttons.
    EXPECT_EQ(w.height(), w.Command1->height());
}

TEST_F(Form1Shell, ScaleListSnapsBackToTheDefault) {
    app::Form1& w = start();
    QLineEdit* edit = w.Combo1->lineEdit();
    w.Combo1->setCurrentIndex(6);
    EXPECT_EQ(w.scaleDenominator(), 1000);
    edit->end(false);
    edit->backspace();  // "1/1000" → "1/100", an entry
    EXPECT_EQ(w.Combo1->currentText(), "1/100");
    EXPECT_EQ(w.scaleDenominator(), 100);
    w.Combo1->setCurrentIndex(2);
    EXPECT_EQ(w.scaleDenominator(), 250);
    w.Combo1->setEditText("1/500");
    edit->end(false);
    edit->backspace();  // "1/50" is none: back to "1/500"
    EXPECT_EQ(w.Combo1->currentText(), "1/500");
    EXPECT_EQ(w.scaleDenominator(), 500);
    w.Combo1->setCurrentIndex(0);
    w.Combo1->setEditText("1/500 ");
    EXPECT_EQ(w.Combo1->currentText(), "1/500");
    EXPECT_EQ(w.scaleDenominator(), 500);
}

TEST_F(Form1Shell, ArrowKeysInTheScaleListMoveFromTheEntryShown) {
    app::Form1& w = start();
    w.Combo1->show();
    w.Combo1->setFocus();
    QTest::keyClick(w.Combo1, Qt::Key_Up);
    EXPECT_EQ(w.Combo1->currentText(), "1/300");
    EXPECT_EQ(w.scaleDenominator(), 300);
    QTest::keyClick(w.Combo1, Qt::Key_Down);
    QTest::keyClick(w.Combo1, Qt::Key_Down);
    EXPECT_EQ(w.scaleDenominator(), 600);
}

TEST_F(Form1Shell, HelpOpensTheHelpFileAndTellsWhenItIsMissing) {
    app::Form1& w = start();
    w.Label4_Click();
    EXPECT_TRUE(w.isMinimized());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith("ヘルプファイルが見つかりません。"));
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_GE(clock.rounds, 5);  // the half-second pause

    file("zelanto.CHM", "help");
    w.Label4_Click();
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], folder / "zelanto.CHM");
    EXPECT_EQ(opener.maximized, std::vector<std::string>{"ZELANTO ヘルプ"});
    EXPECT_EQ(prompts.messages().size(), 1);
}

TEST_F(Form1Shell, ClosingBeforeAnImportSucceeds) {
    app::Form1& w = start();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace zelanto::testing
