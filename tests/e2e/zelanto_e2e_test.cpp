// Both roads of the real program, from its own main() with the splash, driven from outside as a
// user would: clicks on the real buttons, a path typed into the real file dialog, message boxes
// answered with the keyboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "tests/e2e/canvas_ink.h"
#include "tests/e2e/zelanto_under_test.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/virtual_display.h"
#include "tests/platform/cad_driver/x11/wait_until.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

class ZelantoEndToEnd : public ::testing::Test {
protected:
    // The program under test starts the CAD program detached, so it is no child of the test: it
    // is ended by the process id on its window, whatever the test's outcome.
    void TearDown() override {
        for (const Window window : cadWindows) {
            EXPECT_TRUE(endWindowOwner(display.connection(), window));
        }
    }

    std::unique_ptr<ChildProcess> startZelanto(const std::vector<std::string>& arguments = {}) {
        return installation.start(std::string(":") + getenv("PATH"), {}, arguments);
    }
    // The coordinate sheets shown so far, one line each.
    std::string shownSheets() const { return readBytes(installation.folder() / "opened"); }
    static int lines(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    fs::path sim(const std::string& name, const std::string& bytes) {
        return installation.writeFile(name, bytes);
    }

    // Answers the next message box titled `title` (not the main window) with `key`.
    void answer(const std::string& title, const std::string& mainWindow, const char* key) {
        ASSERT_TRUE(driver.answer(title, mainWindow, key)) << title;
    }

    VirtualDisplay display;
    WindowManager windowManager{display.connection()};
    ZelantoUnderTest installation;
    DesktopDriver driver;
    // Windows of CAD programs that the program under test started.
    std::vector<Window> cadWindows;
};

TEST_F(ZelantoEndToEnd, MergeOfTwoFilesAnsweringNoThenYes) {
    const auto a =
        sim("a.sim", "A01,001,P1,100.5,200.25,10,\r\nA01,002,\"A,1\",-5,0.001,2.5,\r\nA99,\r\n");
    const auto b = sim("b.SIM", "A00,\nA01,7,\x93\x5f\x33,12.5,7.25,,\nA99,\n");
    const auto program = startZelanto();
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());

    driver.clickAt(main, kCommand2X, kTopRowY);
    chooseFile(driver, a);
    answer("ZELANTO", main, "Escape");  // "これで終了しますか？": No
    driver.clickAt(main, kCommand2X, kTopRowY);
    chooseFile(driver, b);
    answer("ZELANTO", main, "Return");  // Yes
    answer("書き込み開始・・・", main, "Return");
    answer("ZELANTO", main, "Return");  // where the file went
    ASSERT_EQ(program->waitForExit(std::chrono::seconds(20)), 0);

    EXPECT_EQ(readBytes(installation.programFolder() / "orvik.sim"),
              "Z00,/orvik simformat ver.1.0/,\r\n"
              "G00,01,SIM\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e\x88\xea\x97\x97,\r\n"
              "Z00,/\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e/,\r\n"
              "A00,\r\n"
              "A01,1,P1,100.5,200.25,10,\r\n"
              "A01,2,\"A,1\",-5,0.001,2.5,\r\n"
              "A01,3,\x93\x5f\x33,12.5,7.25,0,\r\n"
              "A99,\r\n");
    EXPECT_NE(readBytes(installation.folder() / "opened").find(".xlsx"), std::string::npos);
}

// Two points at scale 1/250, and what the plot writes and types for them.
const std::string kPoints =
    "G00,01,test,\r\nA00,\r\n"
    "A01,1,A1,100,200,1,\r\n"
    "A01,2,\x93\x5f\x32,-50.5,12.25,2,\r\n"
    "A99,\r\n";
const std::string kScript =
    "-osnap \r\nlayer m \x83\x76\x83\x8d\x83\x62\x83\x67 \r\ncolor 5\r\n"
    "point 400,800\r\npoint -202,49\r\n"
    "circle 400,800 0.75\r\ncircle -202,49 0.75\r\n"
    "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\ntext j bl 400.5,801 1.5 90 A1\r\n"
    "layer m \x93\x5f\x96\xbc \r\ncolor 7\r\ntext j bl -201.5,50 1.5 90 \x93\x5f\x32\r\n"
    "style      N Y \r\nfiledia 1\r\nzoom e\r\n";

// How the window manager treats the CAD program's window.
enum class CadWindow { maximized, neverMaximized };

class PlotEndToEnd : public ZelantoEndToEnd {
protected:
    // Imports `points`, starts the CAD program, whose window is titled `cadTitle` (a pattern),
    // picks 1/250 and plots; the program ends.
    void importAndPlot(const std::unique_ptr<ChildProcess>& program, const std::string& cadTitle,
                       const std::string& points = kPoints,
                       CadWindow cadWindow = CadWindow::maximized) {
        const std::string main = driver.waitForWindow("ZELANTO");
        ASSERT_FALSE(main.empty());
        driver.clickAt(main, kCommand1X, kTopRowY);
        chooseFile(driver, sim("points.sim", points));
        ASSERT_TRUE(waitUntil([&] { return fs::exists(installation.folder() / "opened"); },
                              std::chrono::seconds(20)));
        driver.clickAt(main, kCommand1X, kTopRowY);  // "Auto_CAD起動" in the same place
        ASSERT_EQ(driver.waitForWindow("縮尺を指定してプロットボタンを押す"), main);
        const std::string cadWindowId = driver.waitForWindow(cadTitle, 60);
        ASSERT_FALSE(cadWindowId.empty()) << cadTitle;
        cadWindows.push_back(std::stoul(cadWindowId));
        // Started maximized, where the window manager allows it, and with the focus.
        EXPECT_TRUE(waitUntil(
            [&] {
                return shellOutput("xdotool getactivewindow") == cadWindowId + "\n" &&
                       (cadWindow == CadWindow::neverMaximized ||
                        shellOutput("xprop -id " + cadWindowId + " _NET_WM_STATE")
                                .find("_NET_WM_STATE_MAXIMIZED_VERT, "
                                      "_NET_WM_STATE_MAXIMIZED_HORZ") != std::string::npos);
            },
            std::chrono::seconds(30)));
        driver.activate(main);
        driver.clickAt(main, kCombo1X, kCombo1Y);
        driver.key("Up Up");                         // "1/500" → "1/300" → "1/250"
        driver.clickAt(main, kCommand1X, kTopRowY);  // "プロット"
        answer("ZELANTO", main, "Return");           // the notice
        ASSERT_EQ(program->waitForExit(std::chrono::seconds(90)), 0);
    }

    void expectScriptRun() {
        EXPECT_EQ(readBytes(installation.programFolder() / "orvik.scr"), kScript);
        const std::string script = (installation.programFolder() / "orvik.scr").string();
        const auto log = installation.folder() / "fakecad.log";
        EXPECT_TRUE(waitUntil([&] { return fs::exists(log.string() + ".drawing"); },
                              std::chrono::seconds(10)));
        EXPECT_EQ(readBytes(log), "_ucs _Z 90 _ucs _x 180 filedia 0 script " + script + "\r");
        const std::string drawing = readBytes(log.string() + ".drawing");
        EXPECT_NE(drawing.find("POINT 400,800"), std::string::npos) << drawing;
        EXPECT_NE(drawing.find("TEXT -201.5,50 1.5 90 点2"), std::string::npos) << drawing;
    }
};

TEST_F(PlotEndToEnd, ImportThenPlotAtOneTo250IntoTheCadProgram) {
    installation.setCadPath(installation.install(ZELANTO_FAKECAD, "fakecad.exe"));
    ASSERT_NO_FATAL_FAILURE(importAndPlot(startZelanto(), "AutoCAD.*"));
    expectScriptRun();
}

// A CAD window that the window manager never maximizes (a splash of a fixed size) gets the focus
// once: the user's scale and plot, picked in ZELANTO meanwhile, stay there.
TEST_F(PlotEndToEnd, CadWindowNeverMaximizedLeavesTheFocusWithTheUser) {
    installation.setCadPath(installation.install(ZELANTO_FAKECAD, "fakecad.exe"));
    ASSERT_NO_FATAL_FAILURE(importAndPlot(
        installation.start(std::string(":") + getenv("PATH"), {"FAKECAD_FIXED_SIZE=1"}),
        "AutoCAD.*", kPoints, CadWindow::neverMaximized));
    expectScriptRun();
}

// A CAD program known neither by its name nor by its title, started through a shell script:
// the plot types into the window of the program it started.
TEST_F(PlotEndToEnd, PlotTypesIntoTheProgramItStartedWhateverItsNameAndTitle) {
    const auto cad = installation.install(ZELANTO_FAKECAD, "drafter");
    installation.setCadPath(installation.writeFile("mycad", "#!/bin/sh\n'" + cad.string() + "'\n"));
    fs::permissions(installation.folder() / "mycad", fs::perms::owner_all);
    ASSERT_NO_FATAL_FAILURE(
        importAndPlot(installation.start(std::string(":") + getenv("PATH"),
                                         {"FAKECAD_TITLE=Drafter - [Drawing1]"}),
                      "Drafter - .*"));
    expectScriptRun();
}

// Four boundary marks 3 m by 4 m, far from the origin as on a real site: at 1/250 the drawing is
// 12 mm by 16 mm, big on the screen once zoomed to.
const std::string kNearbyPoints =
    "A01,1,K1,-30726.388,42172.990,56.569,\r\n"
    "A01,2,K2,-30723.388,42172.990,56.112,\r\n"
    "A01,3,K3,-30723.388,42176.990,56.204,\r\n"
    "A01,4,K4,-30726.388,42176.990,56.377,\r\n"
    "A99,\r\n";

// LibreCAD runs no scripts: chosen as the CAD program through the dialog, it is started; the plot
// has it open the drawing, shows the whole of it and leaves one LibreCAD window.
TEST_F(PlotEndToEnd, LibreCadChosenThroughTheDialogShowsTheWholeDrawingInOneWindow) {
    // Settings as after its first start, so that it does not greet a new user first.
    fs::create_directories(installation.folder() / "home/.config/LibreCAD");
    installation.writeFile("home/.config/LibreCAD/LibreCAD.conf", "[Startup]\nFirstLoad=0\n");
    const auto program = startZelanto();
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    driver.clickAt(main, kCommand3X, kTopRowY);  // "▼"
    driver.clickAt(main, kCommand4X, kCommand4Y);
    answer("zelanto", main, "Return");  // "Auto_CADソフト(EXE)を選択してください"
    chooseFile(driver, "/usr/bin/librecad");
    answer("zelanto", main, "Return");  // "今後、選択したルートパスからAuto_CADを起動します"
    driver.clickAt(main, kCommand3X, kTopRowY);  // "▲"
    EXPECT_NE(readBytes(installation.programFolder() / "zelanto.ini")
                  .find("\r\nROOT=/usr/bin/librecad\r\n"),
              std::string::npos);

    ASSERT_NO_FATAL_FAILURE(importAndPlot(program, "LibreCAD - .*", kNearbyPoints));
    const std::string empty = std::to_string(cadWindows.front());
    // The zoom marks the drawing changed.
    const std::string drawing = driver.waitForWindow("LibreCAD - \\[orvik\\.dxf\\*?\\]", 60, empty);
    ASSERT_FALSE(drawing.empty());
    cadWindows.push_back(std::stoul(drawing));
    ASSERT_TRUE(driver.windowGone(empty, 60));
    cadWindows.erase(cadWindows.begin());
    EXPECT_TRUE(waitUntil([&] {
        return shellOutput("xdotool search --onlyvisible --name '^LibreCAD' 2>/dev/null") ==
               drawing + "\n";
    }));

    // The whole drawing on the canvas: its points and names, clear of the canvas's edges.
    std::optional<CanvasInk> ink;
    EXPECT_TRUE(waitUntil(
        [&] {
            ink = inkOnCanvas(drawing);
            return ink && ink->blue > 400 && ink->white > 200;
        },
        std::chrono::seconds(30)));
    ASSERT_TRUE(ink.has_value());
    EXPECT_GT(ink->width, 400);
    EXPECT_GT(ink->height, 400);
    EXPECT_GT(ink->left, 0);
    EXPECT_GT(ink->top, 0);
    EXPECT_LT(ink->right, ink->width - 1);
    EXPECT_LT(ink->bottom, ink->height - 1);
    EXPECT_GT(std::max(ink->right - ink->left, ink->bottom - ink->top),
              std::min(ink->width, ink->height) / 3);
    std::cout << "canvas " << ink->width << "x" << ink->height << ", blue " << ink->blue
              << ", white " << ink->white << ", blue box " << ink->left << "," << ink->top << " to "
              << ink->right << "," << ink->bottom << "\n";
}

TEST_F(ZelantoEndToEnd, FileOnTheCommandLineIsImportedAfterTheSplash) {
    const auto points = sim("points.sim", "A01,1,P1,100.5,200.25,10,\r\nA99,\r\n");
    const auto program = startZelanto({points.string()});
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    // The sheet is shown at the import's very end.
    EXPECT_TRUE(waitUntil([&] { return lines(shownSheets()) == 1; }, std::chrono::seconds(20)));
}

TEST_F(ZelantoEndToEnd, LaterCopiesHandTheirFileToTheRunningOneOrAreToldItIsBusy) {
    const auto first = startZelanto();
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());

    const auto second = startZelanto({sim("a.sim", "A01,1,P1,1,2,3,\r\nA99,\r\n").string()});
    EXPECT_EQ(second->waitForExit(std::chrono::seconds(20)), 0);
    ASSERT_TRUE(waitUntil([&] { return lines(shownSheets()) == 1; }, std::chrono::seconds(20)));

    // Imported, the window has no read button left to take a file.
    const auto third = startZelanto({sim("b.sim", "A01,1,P1,1,2,3,\r\nA99,\r\n").string()});
    answer("ZELANTO", main, "Return");  // busy: says so, naming the file
    EXPECT_EQ(third->waitForExit(std::chrono::seconds(20)), 1);
    EXPECT_EQ(lines(shownSheets()), 1);
    EXPECT_EQ(first->waitForExit(std::chrono::milliseconds(0)), std::nullopt);
}

TEST_F(ZelantoEndToEnd, SecondCopyEndsAtOnceWithoutAWindow) {
    const auto first = startZelanto();
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    const auto second = startZelanto();
    EXPECT_EQ(second->waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_EQ(driver.waitForWindow("ZELANTO", 1, main), "");
}

}  // namespace
}  // namespace zelanto::testing
