#include "coords/coordinate_sheet.h"
#include "tests/app/form1_fixture.h"
#include "tests/coords/sim_builder.h"

namespace zelanto::testing {
namespace {

using platform::CellValue;
using Form1Merge = Form1Test;

const std::string kMergedHeader =
    "Z00,/orvik simformat ver.1.0/,\r\n"
    "G00,01,SIM\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e\x88\xea\x97\x97,\r\n"
    "Z00,/\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e/,\r\n"
    "A00,\r\n";

TEST_F(Form1Merge, TwoFilesAnsweringNoThenYesWriteOneRenumberedFile) {
    app::Form1& w = start();
    prompts.paths = {path(file("a.sim", simWithPoints(3))), path(file("b.SIM", simWithPoints(2)))};
    prompts.answers = {false, true};
    button("Command2")->click();
    EXPECT_FALSE(button("Command1")->isEnabled());
    EXPECT_EQ(label("Label1")->text(), "データの読込み終了・・・");
    EXPECT_FALSE(host.applications()[0]->visible());
    EXPECT_EQ(cell(5, coords::kNumberColumn), CellValue(3.0));

    button("Command2")->click();
    EXPECT_EQ(host.applications().size(), 1u) << "the second file went below the first";
    EXPECT_EQ(output("orvik.sim"), kMergedHeader +
                                       "A01,1,P1,1.5,-1.25,1,\r\n"
                                       "A01,2,P2,2.5,-2.25,2,\r\n"
                                       "A01,3,P3,3.5,-3.25,3,\r\n"
                                       "A01,4,P1,1.5,-1.25,1,\r\n"
                                       "A01,5,P2,2.5,-2.25,2,\r\n"
                                       "A99,\r\n");
    ASSERT_EQ(prompts.shown.size(), 6u);
    EXPECT_EQ(prompts.shown[1].text, "これで終了しますか？");
    EXPECT_EQ(prompts.shown[1].title, "ZELANTO");
    EXPECT_EQ(prompts.shown[4].text, "電算Noは連番に書き換えます");
    EXPECT_EQ(prompts.shown[4].title, "書き込み開始・・・");
    EXPECT_EQ(
        prompts.shown[5].text,
        path(folder.path()) +
            " へ保存が終了しました\r\n\r\n拡張子は「orvik.sim」です　後で確認しておいてください");
    EXPECT_EQ(label("Label1")->text(), "保存終了・・・・・");
    EXPECT_TRUE(host.applications()[0]->visible());
    EXPECT_EQ(host.applications()[0]->workbooks()[0]->sheet().activeCell().row, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(failing.held(0)) << "the window let go of the sheet";
}

TEST_F(Form1Merge, AFourthPressWritesTheThreeFiles) {
    app::Form1& w = start();
    prompts.paths = {path(file("a.sim", simWithPoints(1))), path(file("b.sim", simWithPoints(1))),
                     path(file("c.sim", simWithPoints(1)))};
    prompts.answers = {false, false, false};
    for (int press = 0; press < 3; ++press) {
        button("Command2")->click();
    }
    button("Command2")->click();
    EXPECT_EQ(prompts.messages().front(),
              "SIM 合体は３ファィルしか出来ません\r\nあるいはデータが５万点を越えています");
    EXPECT_NE(output("orvik.sim").find("A01,3,P1,1.5,-1.25,1,\r\nA99,\r\n"), std::string::npos);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1Merge, FullSheetReadsNoFurtherFile) {
    app::Form1& w = start();
    prompts.paths = {path(file("big.sim", simWithPoints(60000))),
                     path(file("b.sim", simWithPoints(2)))};
    prompts.answers = {false};
    button("Command2")->click();
    EXPECT_EQ(cell(50002, coords::kNumberColumn), CellValue(50000.0));
    EXPECT_TRUE(cell(50003, coords::kNumberColumn).isEmpty());
    button("Command2")->click();
    EXPECT_EQ(prompts.messages().front(), "すでに５万点以上達しましたので終了します");
    const std::string merged = output("orvik.sim");
    EXPECT_NE(merged.find("A01,50000,P50000,"), std::string::npos);
    EXPECT_EQ(merged.find("A01,50001,"), std::string::npos);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1Merge, FailureDropsTheSheetAndStartsOverWithAFirstFile) {
    start();
    prompts.paths = {path(file("a.sim", simWithPoints(2))),
                     path(file("b.sim", simWithPoints(2, false))), "",
                     path(file("c.sim", simWithPoints(1)))};
    prompts.answers = {false, false};
    button("Command2")->click();
    button("Command2")->click();
    EXPECT_EQ(prompts.messages(), QStringList{"　SIMファィルが開けません"});
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを確認してください・・・");
    EXPECT_FALSE(failing.held(0)) << "the window let go of the sheet";
    // The points read before the failure stay in the workbook the window let go of.
    EXPECT_EQ(host.applications()[0]->workbooks()[0]->sheet().value(5, 1), CellValue(5.0));

    button("Command2")->click();  // cancelled: nothing moves
    button("Command2")->click();
    EXPECT_EQ(host.applications().size(), 2u);
    EXPECT_EQ(cell(3, coords::kNumberColumn), CellValue(1.0));
    EXPECT_FALSE(button("Command1")->isEnabled());
}

TEST_F(Form1Merge, ReadFailureKeepsItsMessageAndNamesTheBadLineInTheDetails) {
    start();
    const auto bad = file("b.sim", simWithBadY(6, 5, "abc"));
    prompts.paths = {path(file("a.sim", simWithPoints(2))), path(bad)};
    prompts.answers = {false};
    button("Command2")->click();
    button("Command2")->click();
    ASSERT_EQ(prompts.messages(), QStringList{"　SIMファィルが開けません"});
    EXPECT_EQ(prompts.shown.back().title, "ZELANTO");
    EXPECT_EQ(prompts.shown.back().details,
              path(bad) + ":7: 5 点目のY座標「abc」は数値ではありません（数値を期待）");
    EXPECT_EQ(label("Label1")->text(), "SIMファイルを確認してください・・・");

    // The next file starts over in a new sheet.
    prompts.paths = {path(file("c.sim", simWithPoints(1)))};
    prompts.answers = {false};
    button("Command2")->click();
    EXPECT_EQ(host.applications().size(), 2u);
    EXPECT_EQ(cell(3, coords::kNumberColumn), CellValue(1.0));
}

TEST_F(Form1Merge, UsersDataFolderIsMadeAndNamedInTheMessage) {
    const auto data = folder / "home/.local/share/zelanto";
    services.files.dataFolder = app::OutputFolder::userFolder(data);
    start();
    prompts.paths = {path(file("a.sim", simWithPoints(2)))};
    prompts.answers = {true};
    button("Command2")->click();
    EXPECT_EQ(prompts.messages().back(),
              path(data) +
                  " へ保存が終了しました\r\n\r\n"
                  "拡張子は「orvik.sim」です　後で確認しておいてください");
    EXPECT_EQ(readBytes(data / "orvik.sim").substr(0, 30), "Z00,/orvik simformat ver.1.0/,");
    EXPECT_FALSE(std::filesystem::exists(folder / "orvik.sim"));
}

TEST_F(Form1Merge, UnwritableProgramFolderEndsWithTheWriteError) {
    // A folder that does not exist: creating the file fails even for root.
    services.files = app::filesBeside(folder / "missing");
    app::Form1& w = start();
    prompts.paths = {path(file("a.sim", simWithPoints(1)))};
    prompts.answers = {true};
    QString statusAtWriteError;
    prompts.onMessage = [&](const QString& text) {
        if (text == "書き込みエラーです　終了します") {
            statusAtWriteError = label("Label1")->text();
        }
    };
    button("Command2")->click();
    EXPECT_EQ(prompts.messages().back(), "書き込みエラーです　終了します");
    // No file was created, so saving never began.
    EXPECT_EQ(statusAtWriteError, "データの読込み終了・・・");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(host.applications()[0]->visible());
}

}  // namespace
}  // namespace zelanto::testing
