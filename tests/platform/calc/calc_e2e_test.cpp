// The real program with the Calc host beside it, under Xvfb with openbox: the import fills a live
// Calc document, an edit made in Calc reaches the plot, and Calc stays open after the program
// ends; where LibreOffice is missing the window keeps the embedded host.
#include <gtest/gtest.h>

#include <com/sun/star/util/XModifiable.hpp>
#include <filesystem>

#include "platform/calc/calc_host_loader.h"
#include "tests/e2e/zelanto_under_test.h"
#include "tests/platform/cad_driver/x11/virtual_display.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/platform/calc/test_office.h"
#include "tests/platform/calc/uno_probe.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

// The first document of a fresh profile, in the English user interface of LANG=C.UTF-8.
constexpr const char* kCalcWindow = "Untitled 1 - LibreOffice Calc";

class CalcEndToEnd : public ::testing::Test {
protected:
    CalcEndToEnd() {
        adoptOrphanedDescendants();
        installation.install(ZELANTO_CALC_MODULE, platform::calc::kCalcHostModule);
        installation.setCadPath(installation.install(ZELANTO_FAKECAD, "fakecad.exe"));
        installation.writeFile("points.sim",
                               "G00,01,test,\r\nA00,\r\nA01,1,A1,100,200,1,\r\n"
                               "A01,2,A2,-50.5,12.25,2,\r\nA99,\r\n");
    }
    ~CalcEndToEnd() override { endOffice(profile()); }

    fs::path profile() const { return installation.folder() / "cache" / "zelanto" / "libreoffice"; }

    std::unique_ptr<ChildProcess> startZelanto(const std::string& path) {
        return installation.start(path);
    }

    // Clicks the button in Command1's place. The pointer first goes to the status line (or the
    // scale list in its place): xdotool's synchronous move waits long for a pointer that is
    // already where it is sent.
    void pressCommand1(const std::string& main) {
        driver.clickAt(main, kCombo1X, kCombo1Y);
        driver.clickAt(main, kCommand1X, kTopRowY);
    }

    // Presses "SIM 読込み" and picks points.sim in the open-file dialog.
    void importPoints(const std::string& main) {
        pressCommand1(main);
        chooseFile(driver, installation.folder() / "points.sim");
    }

    VirtualDisplay display;
    WindowManager windowManager{display.connection()};
    ZelantoUnderTest installation;
    DesktopDriver driver;
};

TEST_F(CalcEndToEnd, AnEditInCalcBeforeThePlotArrivesInTheScriptAndCalcStaysOpen) {
    const auto settings = testOfficeSettings(profile(), false);
    if (!settings) {
        GTEST_SKIP() << "LibreOffice is not installed: the window uses the embedded host";
    }
    const auto zelanto = startZelanto(":" + std::string(getenv("PATH")));
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    importPoints(main);
    // LibreOffice's first start with a new profile takes a while.
    const std::string calc = driver.waitForWindow(kCalcWindow, 120);
    ASSERT_FALSE(calc.empty());
    EXPECT_FALSE(fs::exists(installation.folder() / "opened"));

    // The user renames the first point: from A1 (the title) down to B3.
    driver.activate(calc);
    driver.key("ctrl+Home Down Down Right");
    driver.type("EDITED");
    driver.key("Return");

    driver.activate(main);
    pressCommand1(main);  // "Auto_CAD起動"
    ASSERT_EQ(driver.waitForWindow("縮尺を指定してプロットボタンを押す"), main);
    pressCommand1(main);  // "プロット", at 1/500

    const std::string notice = driver.waitForWindow("ZELANTO", 20, main);
    ASSERT_FALSE(notice.empty());
    driver.activate(notice);
    driver.key("Return");
    ASSERT_EQ(zelanto->waitForExit(std::chrono::seconds(30)), 0);

    const std::string script = readBytes(installation.programFolder() / "orvik.scr");
    EXPECT_NE(script.find("text j bl 200.5,401 1.5 90 EDITED\r\n"), std::string::npos) << script;
    EXPECT_NE(script.find("text j bl -100.5,25.5 1.5 90 A2\r\n"), std::string::npos) << script;
    UnoProbe probe(*settings);
    probe.call<void>([document = probe.document(kCalcWindow)] {
        EXPECT_TRUE(css::uno::Reference<css::util::XModifiable>(document, css::uno::UNO_QUERY_THROW)
                        ->isModified());
    });
    EXPECT_FALSE(driver.waitForWindow(kCalcWindow, 1).empty());
}

TEST_F(CalcEndToEnd, WithoutLibreOfficeTheWindowKeepsTheEmbeddedHost) {
    // Only the folder of the stand-in opener is on the PATH: no soffice.
    const auto zelanto = startZelanto("");
    const std::string main = driver.waitForWindow("ZELANTO");
    ASSERT_FALSE(main.empty());
    importPoints(main);
    ASSERT_TRUE(waitUntil([&] { return fs::exists(installation.folder() / "opened"); },
                          std::chrono::seconds(20)));
    EXPECT_NE(readBytes(installation.folder() / "opened").find(".xlsx"), std::string::npos);
    EXPECT_TRUE(officeProcesses(profile()).empty());
}

}  // namespace
}  // namespace zelanto::testing
