#include <QTest>
#include <QTimer>
#include <optional>

#include "coords/coordinate_sheet.h"
#include "tests/app/form1_fixture.h"
#include "tests/coords/sim_builder.h"

namespace zelanto::testing {
namespace {

using platform::CellValue;
using Form1Import = Form1Test;

TEST_F(Form1Import, CancelledOrRejectedFilesStartNothing) {
    start();
    file("points.Sim", simWithPoints(1));
    file("points.txt", simWithPoints(1));
    prompts.paths = {"", path(folder / "points.Sim"), path(folder / "points.txt"),
                     path(folder / "gone.sim")};
    for (int press = 0; press < 4; ++press) {
        button("Command1")->click();
    }
    EXPECT_FALSE(button("Command2")->isEnabled());
    EXPECT_TRUE(host.applications().empty());
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを選択してください・・・");
    ASSERT_EQ(prompts.shown.size(), 4u);
    EXPECT_EQ(prompts.shown[0].title, "SIMファイルを開く");
    EXPECT_EQ(prompts.shown[0].text, "SIMファイル(*.sim)|*.sim");
}

TEST_F(Form1Import, GoodFileFillsAndShowsTheSheetAndOffersTheCadLaunch) {
    start();
    prompts.paths = {path(file("pointsSIM", simWithPoints(3)))};  // no dot needed
    button("Command1")->click();
    EXPECT_EQ(label("Label1")->text(), "Auto_CAD起動ボタンを押してください");
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_TRUE(button("Command5")->isVisible());
    EXPECT_EQ(button("Command5")->text(), "Auto_CAD起動");
    EXPECT_FALSE(button("Command2")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Picture1")->hasFocus());
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_GE(clock.rounds, 20);  // two pauses of a second
    ASSERT_EQ(host.applications().size(), 1u);
    EXPECT_TRUE(host.applications()[0]->visible());
    ASSERT_EQ(shownWorkbooks.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(shownWorkbooks[0]));
    EXPECT_EQ(cell(5, coords::kNameColumn), CellValue("P3"));
    EXPECT_TRUE(cell(6, coords::kNumberColumn).isEmpty());
}

TEST_F(Form1Import, FailuresTakeTheErrorPathAndASecondAttemptSucceeds) {
    start();
    prompts.paths = {path(file("a.sim", simWithPoints(3, false))),
                     path(file("b.sim", simWithBadY(6, 5, "abc"))),
                     path(file("c.sim", simWithPoints(2)))};

    button("Command1")->click();
    EXPECT_EQ(prompts.messages(), QStringList{"　SIMファィルが開けません"});
    EXPECT_EQ(prompts.shown.back().title, "ZELANTO");
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを確認してください・・・");
    EXPECT_TRUE(button("Command1")->isVisible());
    EXPECT_FALSE(button("Command5")->isVisible());
    EXPECT_FALSE(host.applications()[0]->visible());
    EXPECT_EQ(cell(4, coords::kNameColumn), CellValue("P2"));  // kept in the hidden sheet
    EXPECT_TRUE(cell(5, coords::kNumberColumn).isEmpty());

    button("Command1")->click();
    EXPECT_EQ(cell(7, coords::kXColumn), CellValue(5.5));
    EXPECT_TRUE(cell(7, coords::kYColumn).isEmpty());

    button("Command1")->click();
    EXPECT_EQ(host.applications().size(), 3u);
    EXPECT_TRUE(host.applications()[2]->visible());
    EXPECT_TRUE(button("Command5")->isVisible());
}

TEST_F(Form1Import, ReadFailureKeepsItsMessageAndNamesTheBadLineInTheDetails) {
    start();
    const auto bad = file("bad.sim", simWithBadY(6, 5, "1O.5"));
    prompts.paths = {path(bad)};
    button("Command1")->click();
    ASSERT_EQ(prompts.messages(), QStringList{"　SIMファィルが開けません"});
    EXPECT_EQ(prompts.shown.back().title, "ZELANTO");
    // The header takes lines 1 and 2: the fifth point is on line 7.
    EXPECT_EQ(prompts.shown.back().details,
              path(bad) + ":7: 5 点目のY座標「1O.5」は数値ではありません（数値を期待）");
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを確認してください・・・");
}

TEST_F(Form1Import, FailingHostCallInTheReadingIsTheErrorPath) {
    start();
    prompts.paths = {path(file("a.sim", simWithPoints(3)))};
    // Creating the sheet takes 28 calls; the 35th writes into the second point.
    failing.failOnCall(failing.calls() + 35);
    button("Command1")->click();
    EXPECT_EQ(prompts.messages(), QStringList{"　SIMファィルが開けません"});
    EXPECT_EQ(prompts.shown.back().details, "");  // nothing in the file to point at
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを確認してください・・・");
}

TEST_F(Form1Import, PressDuringThePauseNeverCorruptsTheSheet) {
    app::Form1& w = start();
    prompts.paths = {path(file("a.sim", simWithPoints(3))), path(file("b.sim", simWithPoints(2)))};
    bool pressed = false;
    // The second press arrives while the first import pauses.
    QTimer::singleShot(0, &w, [&] {
        pressed = true;
        button("Command1")->click();
    });
    button("Command1")->click();
    EXPECT_TRUE(pressed);
    ASSERT_EQ(host.applications().size(), 2u);
    EXPECT_TRUE(host.applications()[0]->visible());
    EXPECT_TRUE(host.applications()[1]->visible());
    const auto& first = host.applications()[0]->workbooks()[0]->sheet();
    EXPECT_EQ(first.value(5, coords::kNameColumn.number), CellValue("P3"));
    EXPECT_TRUE(failing.held(1)) << "the window holds the newer one";
    EXPECT_EQ(cell(4, coords::kNameColumn), CellValue("P2"));
    EXPECT_TRUE(cell(5, coords::kNameColumn).isEmpty());
}

TEST_F(Form1Import, FileTakenFromOutsideTakesTheRoadOfAChosenFile) {
    app::Form1& w = start();
    w.showMinimized();
    ASSERT_TRUE(w.takeSimFile(path(file("points.sim", simWithPoints(3)))));
    EXPECT_FALSE(w.isMinimized());
    EXPECT_FALSE(w.takeSimFile(path(folder / "other.sim"))) << "the first one is on its way";
    // The import runs once the event that brought the file is through.
    EXPECT_TRUE(host.applications().empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !button("Command1")->isVisible(); }));

    EXPECT_EQ(label("Label1")->text(), "Auto_CAD起動ボタンを押してください");
    EXPECT_TRUE(button("Command5")->isVisible());
    EXPECT_FALSE(button("Command2")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Picture1")->hasFocus());
    EXPECT_EQ(cell(5, coords::kNameColumn), CellValue("P3"));
    EXPECT_TRUE(prompts.shown.empty()) << "no dialog, no message";
    EXPECT_FALSE(w.takeSimFile(path(folder / "points.sim"))) << "the read button is gone";
}

// A file manager hands over any file: one that fails the file check is refused, saying why, and
// nothing else changes.
TEST_F(Form1Import, FileTakenFromOutsideMeetsTheSameFileCheckAndTheRefusalIsSaid) {
    app::Form1& w = start();
    const QString notes = path(file("notes.txt", simWithPoints(1)));
    ASSERT_TRUE(w.takeSimFile(notes));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompts.messages().isEmpty(); }));
    EXPECT_EQ(prompts.messages().back(),
              "次のファイルは読み込めません。\r\n" + notes +
                  ": SIM ファイルではありません（名前が sim か SIM で終わる既存のファイルを期待）");
    const QString gone = path(folder / "gone.sim");
    ASSERT_TRUE(w.takeSimFile(gone));
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompts.messages().size() == 2; }));
    EXPECT_TRUE(prompts.messages().back().endsWith(gone + ": ファイルが見つかりません"));
    EXPECT_TRUE(host.applications().empty());
    EXPECT_TRUE(button("Command2")->isEnabled());
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを選択してください・・・");

    // The window stays ready for the next one.
    ASSERT_TRUE(w.takeSimFile(path(file("points.sim", simWithPoints(1)))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return button("Command5")->isVisible(); }));
}

TEST_F(Form1Import, BusyWindowTakesNoFile) {
    app::Form1& w = start();
    const QString other = path(file("other.sim", simWithPoints(1)));
    prompts.paths = {path(file("a.sim", simWithPoints(1)))};
    prompts.answers = {false};
    // While a merge press reads its file, and after it, with the read button disabled.
    std::optional<bool> takenDuringTheMerge;
    QTimer::singleShot(0, &w, [&] { takenDuringTheMerge = w.takeSimFile(other); });
    button("Command2")->click();
    ASSERT_TRUE(takenDuringTheMerge.has_value());
    EXPECT_FALSE(*takenDuringTheMerge);
    EXPECT_FALSE(w.takeSimFile(other));
    EXPECT_EQ(host.applications().size(), 1u);
}

}  // namespace
}  // namespace zelanto::testing
