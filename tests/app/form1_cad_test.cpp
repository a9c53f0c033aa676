#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <functional>

#include "app/form1_texts.h"
#include "app/window_layout.h"

#include "settings/ini_store.h"
#include "tests/app/form1_fixture.h"
#include "tests/coords/sim_builder.h"

namespace zelanto::testing {
namespace {

class Form1Cad : public Form1Test {
protected:
    // A program file the user may execute.
    std::filesystem::path executable(const std::string& name) {
        const auto program = file(name, "#!/bin/sh\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        return program;
    }

    // The program the window starts at "Auto_CAD起動" once a file is read.
    std::string launched() {
        prompts.paths.push_back(path(file("in.sim", simWithPoints(1))));
        button("Command1")->click();
        button("Command5")->click();
        return cad.calls.back();
    }
};

std::string storedCadPath(const std::filesystem::path& folder) {
    return settings::GetIniString(settings::kSettingsSection, settings::kCadPathKey,
                                  settings::settingsFileIn(folder));
}

TEST_F(Form1Cad, AcceptedProgramIsShownAndStored) {
    start();
    prompts.paths = {path(file("acad.exe", ""))};
    button("Command4")->click();
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[0].text, "Auto_CADソフト(EXE)を選択してください");
    EXPECT_EQ(prompts.shown[0].title, "zelanto");
    EXPECT_EQ(prompts.shown[1].title, "SIMファイルを開く");
    EXPECT_EQ(prompts.shown[1].text, "CADプログラム(*)|*|Auto_CAD EXEを選択(*.exe)|*.exe");
    EXPECT_EQ(prompts.shown[2].text, "今後、選択したルートパスからAuto_CADを起動します");
    EXPECT_EQ(prompts.shown[2].title, "zelanto");
    EXPECT_EQ(button("Command4")->text(), "acad.exe 設定済み");
    EXPECT_EQ(storedCadPath(folder.path()), (folder / "acad.exe").string());
    EXPECT_EQ(launched(), "start " + (folder / "acad.exe").string());
}

TEST_F(Form1Cad, ChoiceIsStoredInTheUsersConfigFolderWhereThatIsTheSettingsFolder) {
    const auto config = folder / "home/.config/zelanto";
    services.files.settingsFolder = app::OutputFolder::userFolder(config);
    start();
    prompts.paths = {path(file("acad.exe", ""))};
    button("Command4")->click();
    EXPECT_EQ(storedCadPath(config), (folder / "acad.exe").string());
    EXPECT_FALSE(std::filesystem::exists(settings::settingsFileIn(folder.path())));
}

TEST_F(Form1Cad, RejectedChoicePutsBackTheStartUpPath) {
    file("startup.exe", "");
    settings::WriteValueString(settings::kSettingsSection, settings::kCadPathKey,
                               (folder / "startup.exe").string(),
                               settings::settingsFileIn(folder.path()));
    start();
    prompts.paths = {path(file("acad.EXE", "")), path(file("other.Exe", "")), ""};
    button("Command4")->click();  // accepted: stored
    button("Command4")->click();  // "Exe" is refused, silently
    EXPECT_EQ(prompts.messages().size(), 3);
    EXPECT_EQ(button("Command4")->text(), "startup.exe 設定済み");
    EXPECT_EQ(storedCadPath(folder.path()), (folder / "acad.EXE").string());
    EXPECT_EQ(launched(), "start " + (folder / "startup.exe").string());

    start();  // the stored choice is the start-up path now
    prompts.paths = {""};
    button("Command4")->click();  // cancelled
    EXPECT_EQ(launched(), "start " + (folder / "acad.EXE").string());
}

TEST_F(Form1Cad, ExecutableProgramIsAcceptedWithoutExe) {
    start();
    const auto program = executable("bricscad");
    prompts.paths = {path(file("drawing.dxf", "")), path(program)};
    button("Command4")->click();  // not a program: refused
    EXPECT_EQ(button("Command4")->text(), " 設定済み");
    button("Command4")->click();
    EXPECT_EQ(prompts.messages().back(), "今後、選択したルートパスからAuto_CADを起動します");
    EXPECT_EQ(button("Command4")->text(), "bricscad 設定済み");
    EXPECT_EQ(storedCadPath(folder.path()), program.string());
}

TEST_F(Form1Cad, DesktopLauncherIsFollowedToItsProgram) {
    std::filesystem::create_directory(folder / "my cad");
    const auto program = executable("my cad/cad-run");
    file("cad.desktop",
         "[Desktop Action New]\nExec=other\n"
         "[Desktop Entry]\nName=CAD\nExec=\"" +
             program.string() + "\" --new %F\n");
    start();
    prompts.paths = {path(folder / "cad.desktop")};
    button("Command4")->click();
    EXPECT_EQ(button("Command4")->text(), "cad-run 設定済み");
    EXPECT_EQ(launched(), "start " + program.string());
    EXPECT_EQ(storedCadPath(folder.path()), program.string());
}

TEST_F(Form1Cad, LauncherWhoseProgramIsNotThereIsRefusedSayingSo) {
    file("cad.desktop", "[Desktop Entry]\nExec=flatpak run org.example.NoSuchCad %F\n");
    start();
    prompts.paths = {path(folder / "cad.desktop")};
    button("Command4")->click();
    EXPECT_EQ(prompts.messages().back(),
              "選んだランチャーが起動するプログラムが見つかりません。プログラムそのものを選んでく"
              "ださい。\r\n" +
                  path(folder / "cad.desktop"));
    EXPECT_EQ(button("Command4")->text(), " 設定済み");
    EXPECT_FALSE(std::filesystem::exists(settings::settingsFileIn(folder.path())));
}

TEST_F(Form1Cad, RejectedChoiceWithoutAStartUpFileLeavesTheBareSuffix) {
    start();
    prompts.paths = {""};
    button("Command4")->click();
    EXPECT_EQ(button("Command4")->text(), " 設定済み");
    EXPECT_FALSE(std::filesystem::exists(settings::settingsFileIn(folder.path())));
}

class Form1Plot : public Form1Cad {
protected:
    // Imports `bytes` and starts the CAD program: the window is ready to plot.
    app::Form1& readyToPlot(const std::string& bytes) {
        app::Form1& w = start();
        prompts.paths = {path(file("in.sim", bytes))};
        button("Command1")->click();
        button("Command5")->click();
        return w;
    }

    // Plots a point 1000 m north of the origin with the scale list left as `choose` leaves it,
    // and reads the denominator of the scale back from the script.
    int plottedDenominator(const std::function<void(QComboBox*)>& choose) {
        readyToPlot("A01,1,P,1000,0,1,\r\nA99,\r\n");
        choose(combo());
        button("Command5")->click();
        const std::string script = output("orvik.scr");
        const std::size_t point = script.find("\r\npoint ");
        if (point == std::string::npos) {
            throw std::logic_error("no point in the script");
        }
        return static_cast<int>(std::lround(1e6 / std::stod(script.substr(point + 8))));
    }
};

// Every step is replayed on a window of its own after the steps before it, and plotted.
TEST_F(Form1Plot, ScaleListSnapsBackToTheDefault) {
    struct Step {
        std::function<void(QComboBox*)> act;
        const char* shown;
        int denominator;
    };
    const auto backspace = [](QComboBox* list) {
        list->lineEdit()->end(false);
        list->lineEdit()->backspace();
    };
    const std::vector<Step> steps = {
        {[](QComboBox*) {}, "1/500", 500},
        {[](QComboBox* list) { list->setCurrentIndex(6); }, "1/1000", 1000},
        {backspace, "1/100", 100},  // "1/1000" → "1/100", an entry
        {[](QComboBox* list) { list->setCurrentIndex(2); }, "1/250", 250},
        {[&](QComboBox* list) {
             list->setEditText("1/500");
             backspace(list);  // "1/50" is none: back to "1/500"
         },
         "1/500", 500},
        {[](QComboBox* list) {
             list->setCurrentIndex(0);
             list->setEditText("1/500 ");
         },
         "1/500", 500},
    };
    for (std::size_t last = 0; last < steps.size(); ++last) {
        const int denominator = plottedDenominator([&](QComboBox* list) {
            for (std::size_t step = 0; step <= last; ++step) {
                steps[step].act(list);
            }
            EXPECT_EQ(list->currentText(), steps[last].shown) << "step " << last;
        });
        EXPECT_EQ(denominator, steps[last].denominator) << "step " << last;
    }
}

TEST_F(Form1Plot, ArrowKeysInTheScaleListMoveFromTheEntryShown) {
    EXPECT_EQ(plottedDenominator([](QComboBox* list) {
                  list->setFocus();
                  QTest::keyClick(list, Qt::Key_Up);
                  EXPECT_EQ(list->currentText(), "1/300");
              }),
              300);
    EXPECT_EQ(plottedDenominator([](QComboBox* list) {
                  list->setFocus();
                  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
                      QTest::keyClick(list, key);
                  }
              }),
              600);
}

TEST_F(Form1Plot, LaunchTurnsTheButtonIntoThePlotButton) {
    app::Form1& w = readyToPlot(simWithPoints(1));
    EXPECT_EQ(cad.calls, std::vector<std::string>{"start not found"});
    EXPECT_EQ(button("Command5")->text(), "プロット");
    EXPECT_TRUE(combo()->isVisible());
    EXPECT_FALSE(label("Label1")->isVisible());
    EXPECT_EQ(label("Label1")->text(), "プロットボタンを押してください");
    EXPECT_EQ(w.windowTitle(), "縮尺を指定してプロットボタンを押す");
}

TEST_F(Form1Plot, FailedLaunchAsksForThePathAndStaysInTheLaunchState) {
    cad.startFails = true;
    start();
    prompts.paths = {path(file("in.sim", simWithPoints(1))), path(file("acad.exe", ""))};
    button("Command1")->click();
    button("Command5")->click();
    EXPECT_EQ(prompts.messages(),
              (QStringList{"Auto_CADソフト(EXE)までの正しいパスがまだ設定されていません",
                           "Auto_CADソフト(EXE)を選択してください",
                           "今後、選択したルートパスからAuto_CADを起動します",
                           "もう一度「Auto_CAD起動」を押してください"}));
    EXPECT_EQ(button("Command5")->text(), "Auto_CAD起動");
    EXPECT_EQ(label("Label1")->text(), "しばらくお待ちください・・・");
    EXPECT_FALSE(combo()->isVisible());

    cad.startFails = false;
    button("Command5")->click();
    EXPECT_EQ(cad.calls.back(), "start " + (folder / "acad.exe").string());
    EXPECT_EQ(button("Command5")->text(), "プロット");
}

TEST_F(Form1Plot, PlotWritesTheScriptAndTypesItIntoTheCadProgram) {
    app::Form1& w = readyToPlot("A01,1,A1,100,200,1,\r\nA01,2,A2,-50.5,12.25,2,\r\nA99,\r\n");
    combo()->setCurrentIndex(4);  // "1/500"
    button("Command5")->click();
    EXPECT_EQ(output("orvik.scr"),
              "-osnap \r\nlayer m \x83\x76\x83\x8d\x83\x62\x83\x67 \r\ncolor 5\r\n"
              "point 200,400\r\npoint -101,24.5\r\n"
              "circle 200,400 0.75\r\ncircle -101,24.5 0.75\r\n"
              "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\ntext j bl 200.5,401 1.5 90 A1\r\n"
              "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\ntext j bl -100.5,25.5 1.5 90 A2\r\n"
              "style      N Y \r\nfiledia 1\r\nzoom e\r\n");
    const std::string script = (folder / "orvik.scr").string();
    EXPECT_EQ(cad.calls,
              (std::vector<std::string>{"start not found", "activate Microsoft Excel",
                                        "activate-cad AutoCAD BricsCAD ZWCAD GstarCAD DraftSight",
                                        "keys _ucs _Z 90 ", "keys _ucs _x 180 ",
                                        "keys-wait filedia 0 script " + script + "\r"}));
    EXPECT_NE(output("orvik.dxf").find("AC1015"), std::string::npos);
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(
        "しばらく時間がかかりますので、そのままお待ちください\r\n\r\n"
        "プロットの終了と共にこの「ZELANTO」も終了します。\r\n"
        "　　　---ご使用ありがとうございました---\r\n\r\n"));
    EXPECT_EQ(w.windowTitle(), "スクリプト実行");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(failing.held(0)) << "the window let go of the sheet";
}

// A drawing that cannot be written (here a folder stands in its place) does not stop the script:
// the keys are typed, then the user is told why the drawing is missing.
TEST_F(Form1Plot, DrawingThatCannotBeWrittenLeavesTheScriptsRoadAndIsSaid) {
    std::filesystem::create_directory(folder / "orvik.dxf");
    app::Form1& w = readyToPlot(simWithPoints(2));
    button("Command5")->click();
    EXPECT_NE(output("orvik.scr").find("\r\npoint "), std::string::npos);
    ASSERT_FALSE(cad.calls.empty());
    EXPECT_TRUE(cad.calls.back().starts_with("keys-wait filedia 0 script "));
    ASSERT_EQ(prompts.messages().size(), 2);
    EXPECT_TRUE(prompts.messages()[1].startsWith(
        "図面ファイル（DXF）を書き出せませんでした。スクリプトは書き出してあります。理由:\r\n" +
        path(folder / "orvik.dxf") + ": "));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1Plot, PortableNoticeEndsWithTheCreditLine) {
    readyToPlot(simWithPoints(1));
    button("Command5")->click();
    ASSERT_FALSE(prompts.messages().isEmpty());
    EXPECT_TRUE(prompts.messages()[0].endsWith("---\r\n\r\n" + app::text(app::texts::kCredit)));
}

TEST_F(Form1Plot, ScriptInTheUsersDataFolderIsNamedInTheNoticeAndTheKeys) {
    const auto data = folder / "home/.local/share/zelanto";
    services.files.dataFolder = app::OutputFolder::userFolder(data);
    readyToPlot(simWithPoints(1));
    button("Command5")->click();
    ASSERT_FALSE(prompts.messages().isEmpty());
    EXPECT_TRUE(prompts.messages()[0].endsWith(
        app::text(app::texts::kCredit) +
        "\r\n\r\nプロットのファイルは次のフォルダに保存します:\r\n" + path(data)));
    EXPECT_TRUE(std::filesystem::exists(data / "orvik.scr"));
    EXPECT_FALSE(std::filesystem::exists(folder / "orvik.scr"));
    EXPECT_EQ(cad.calls.back(),
              "keys-wait filedia 0 script " + (data / "orvik.scr").string() + "\r");
    EXPECT_TRUE(std::filesystem::exists(data / "orvik.dxf"));
}

class Form1PlotIntoLibreCad : public Form1Plot {
protected:
    // LibreCAD, started and ready to plot.
    app::Form1& readyToPlot(const std::string& bytes) {
        settings::WriteValueString(settings::kSettingsSection, settings::kCadPathKey,
                                   librecad.string(), settings::settingsFileIn(folder.path()));
        return Form1Plot::readyToPlot(bytes);
    }

    const std::filesystem::path librecad = executable("librecad");
    const std::string drawing = (folder / "orvik.dxf").string();
};

// It runs no script: it opens the drawing in a second start, zoomed to the whole drawing, and the
// empty one that "Auto_CAD起動" started goes.
TEST_F(Form1PlotIntoLibreCad, OpensTheDrawingInOneWindowZoomedToIt) {
    app::Form1& w = readyToPlot("A01,1,A1,100,200,1,\r\nA99,\r\n");
    button("Command5")->click();
    EXPECT_EQ(cad.calls,
              (std::vector<std::string>{"start " + librecad.string(), "activate Microsoft Excel",
                                        "start " + librecad.string() + " " + drawing,
                                        "activate-cad-showing orvik.dxf", "shift",
                                        "keys-wait  za\r", "close-earlier-starts"}));
    EXPECT_EQ(output("orvik.scr").substr(0, 8), "-osnap \r");
    EXPECT_TRUE(std::filesystem::exists(drawing));
    ASSERT_EQ(prompts.messages().size(), 1);  // the notice, as in every plot
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1PlotIntoLibreCad, DrawingThatCannotBeOpenedGetsItsPath) {
    readyToPlot(simWithPoints(1));
    cad.startFails = true;
    button("Command5")->click();
    EXPECT_TRUE(prompts.messages().back().startsWith("Auto_CADで図面を開けませんでした。"));
    EXPECT_TRUE(prompts.messages().back().endsWith(path(drawing)));
    EXPECT_EQ(cad.calls.back(), "start " + librecad.string() + " " + drawing);
}

// The window with the drawing never came: the user is told how to zoom, and the LibreCAD started
// first stays, since it may be the only one.
TEST_F(Form1PlotIntoLibreCad, DrawingNotShownTellsHowToSeeItAllAndClosesNothing) {
    app::Form1& w = readyToPlot(simWithPoints(1));
    cad.activateFails = true;
    button("Command5")->click();
    EXPECT_TRUE(prompts.messages().back().contains("za と入力すると全体が表示されます"));
    EXPECT_TRUE(prompts.messages().back().endsWith(path(drawing)));
    EXPECT_EQ(cad.calls.back(), "activate-cad-showing orvik.dxf");
    EXPECT_FALSE(w.isVisible());
}

// Without the drawing a CAD program that runs no script has nothing to open.
TEST_F(Form1Plot, DrawingThatCannotBeWrittenIsNotOpened) {
    const auto librecad = executable("librecad");
    settings::WriteValueString(settings::kSettingsSection, settings::kCadPathKey, librecad.string(),
                               settings::settingsFileIn(folder.path()));
    std::filesystem::create_directory(folder / "orvik.dxf");
    readyToPlot(simWithPoints(1));
    button("Command5")->click();
    EXPECT_EQ(cad.calls,
              (std::vector<std::string>{"start " + librecad.string(), "activate Microsoft Excel"}));
    EXPECT_TRUE(
        prompts.messages().back().startsWith("図面ファイル（DXF）を書き出せませんでした。"));
}

TEST_F(Form1Plot, ScaleChosenInTheListIsUsed) {
    readyToPlot("A01,1,P,100,0,1,\r\nA99,\r\n");
    combo()->setCurrentIndex(3);  // "1/300"
    button("Command5")->click();
    EXPECT_NE(output("orvik.scr").find("point 333.333333333333,0\r\n"), std::string::npos);
}

TEST_F(Form1Plot, NoPlottableDataLeavesTheScriptAlone) {
    file("orvik.scr", "old");
    app::Form1& w = readyToPlot("A01,,,100,200,1,\r\nA99,\r\n");
    button("Command5")->click();
    EXPECT_EQ(prompts.messages().back(), "プロット可能なデータがありません");
    EXPECT_EQ(output("orvik.scr"), "old");
    EXPECT_FALSE(std::filesystem::exists(folder / "orvik.dxf"));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1Plot, CadWindowThatCannotBeDrivenGetsThePathOfTheScript) {
    app::Form1& w = readyToPlot(simWithPoints(2));
    cad.activateFails = true;
    button("Command5")->click();
    EXPECT_TRUE(std::filesystem::exists(folder / "orvik.scr"));
    EXPECT_TRUE(prompts.messages().back().endsWith(path(folder / "orvik.scr")));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Form1Plot, ScriptPathWithBlanksIsQuoted) {
    services.files = app::filesBeside(folder / "my programs");
    std::filesystem::create_directory(folder / "my programs");
    readyToPlot(simWithPoints(1));
    button("Command5")->click();
    EXPECT_EQ(cad.calls.back(), "keys-wait filedia 0 script \"" +
                                    (folder / "my programs/orvik.scr").string() + "\"\r");
}

TEST_F(Form1Plot, UnwritableScriptEndsWithTheErrorMessage) {
    app::Form1& w = readyToPlot(simWithPoints(1));
    services.files = app::filesBeside(folder / "gone");
    button("Command5")->click();
    EXPECT_EQ(prompts.messages().back(), "エラーが発生しました　終了します");
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace zelanto::testing
