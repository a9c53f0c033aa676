#include <QComboBox>
#include <QTest>

#include "app/window_layout.h"

#include "settings/ini_store.h"
#include "tests/app/form1_fixture.h"

namespace zelanto::testing {
namespace {

using Form1Shell = Form1Test;

// The client size of a window whose outer size is `width` × `height` twips, of which the frame
// takes 120 × 420.
QSize clientSizeOf(int width, int height, const QWidget& window) {
    return {app::twipsToPixels(width - 120, &window), app::twipsToPixels(height - 420, &window)};
}

void writeCadPath(const std::filesystem::path& folder, const std::string& path) {
    settings::WriteValueString(settings::kSettingsSection, settings::kCadPathKey, path,
                               settings::settingsFileIn(folder));
}

TEST_F(Form1Shell, FreshStartWithoutSettings) {
    app::Form1& w = start();
    EXPECT_EQ(w.windowTitle(), "ZELANTO");
    EXPECT_EQ(w.size(), clientSizeOf(7080, 915, w));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを選択してください・・・");
    EXPECT_EQ(button("Command4")->text(), "Auto_CADへのルートパス設定");
    EXPECT_TRUE(button("Command1")->isVisible());
    EXPECT_FALSE(button("Command5")->isVisible());
    EXPECT_FALSE(combo()->isVisible());
    EXPECT_EQ(combo()->currentText(), "1/500");
    EXPECT_EQ(combo()->count(), 7);
    EXPECT_TRUE(find<QWidget>("Picture1")->hasFocus());
    EXPECT_GT(find<QWidget>("Picture1")->y(), w.height());  // parked out of sight
    EXPECT_TRUE(label("Label2")->text().startsWith("\r\n「SIM 合体」\r\n"));
    EXPECT_EQ(label("Label4")->cursor().shape(), Qt::WhatsThisCursor);
}

TEST_F(Form1Shell, StoredCadPathShowsOnItsButtonOnlyForLowerCaseExe) {
    file("acad.exe", "");
    writeCadPath(folder.path(), (folder / "acad.exe").string());
    start();
    EXPECT_EQ(button("Command4")->text(), "acad.exe 設定済み");

    file("ACAD.EXE", "");
    writeCadPath(folder.path(), (folder / "ACAD.EXE").string());
    start();
    EXPECT_EQ(button("Command4")->text(), "Auto_CADへのルートパス設定");
}

TEST_F(Form1Shell, StoredExecutableProgramShowsOnItsButtonWhateverItsName) {
    std::filesystem::permissions(file("librecad", "#!/bin/sh\n"),
                                 std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    writeCadPath(folder.path(), (folder / "librecad").string());
    start();
    EXPECT_EQ(button("Command4")->text(), "librecad 設定済み");

    file("notes.txt", "");
    writeCadPath(folder.path(), (folder / "notes.txt").string());
    start();
    EXPECT_EQ(button("Command4")->text(), "Auto_CADへのルートパス設定");
}

TEST_F(Form1Shell, ExpandAndCollapse) {
    app::Form1& w = start();
    button("Command3")->click();
    EXPECT_EQ(w.size(), clientSizeOf(7080, 5000, w));
    EXPECT_EQ(button("Command3")->text(), "▲");
    EXPECT_TRUE(find<QWidget>("Picture1")->hasFocus());
    const int expandedHeight = w.height();
    button("Command3")->click();
    EXPECT_EQ(w.size(), clientSizeOf(7080, 915, w));
    EXPECT_EQ(button("Command3")->text(), "▼");
    EXPECT_LT(w.height(), expandedHeight);
    // Collapsed, the client area shows exactly the top row of buttons.
    EXPECT_EQ(w.height(), button("Command1")->height());
}

TEST_F(Form1Shell, HelpOpensTheHelpFileAndTellsWhenItIsMissing) {
    app::Form1& w = start();
    QTest::mouseClick(label("Label4"), Qt::LeftButton);
    EXPECT_TRUE(w.isMinimized());
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith("ヘルプファイルが見つかりません。"));
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_GE(clock.rounds, 5);  // the half-second pause

    file("zelanto.CHM", "help");
    QTest::mouseClick(label("Label4"), Qt::LeftButton);
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
