// The plot's last steps end to end: the script the plot writes, the keys that run it typed into
// the fake CAD program, and what the fake draws from it.
#include <gtest/gtest.h>

#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "platform/cad_driver/x11/x11_driver.h"
#include "platform/embedded/embedded_host.h"
#include "tests/platform/cad_driver/x11/fake_cad.h"
#include "tests/platform/cad_driver/x11/x11_test.h"

namespace zelanto::platform::x11 {
namespace {

using ScriptRun = testing::X11Test;

void point(Worksheet& sheet, int row, const char* name, const char* x, const char* y) {
    sheet.setValue(platform::Row(row), coords::kNumberColumn, std::to_string(row - 2));
    sheet.setValue(platform::Row(row), coords::kNameColumn, name);
    sheet.setValue(platform::Row(row), coords::kXColumn, x);
    sheet.setValue(platform::Row(row), coords::kYColumn, y);
    sheet.setValue(platform::Row(row), coords::kElevationColumn, "1");
}

TEST_F(ScriptRun, TheCadProgramReadsTheScriptFromAFolderWithBlanksAndJapanese) {
    withWindowManager();
    EmbeddedHost host;
    const auto sheet = coords::createCoordinateSheet(host);
    point(*sheet.worksheet, 3, "A1", "100", "200");
    point(*sheet.worksheet, 4, "測点 2", "-50.5", "12.25");
    std::filesystem::create_directory(folder_ / "図面 フォルダ");
    const auto script = folder_ / "図面 フォルダ" / cad::kPlotScriptFileName;
    cad::Plot(*sheet.worksheet, 500).writeScript(script);
    const testing::FakeCad cad(display(), folder_.path());

    activateWindow("AutoCAD");
    typeKeys(cad::kCoordinateSystemTurnZ, KeyWait::no);
    typeKeys(cad::kCoordinateSystemTurnX, KeyWait::no);
    typeKeys(cad::runScriptKeys(script.string()), KeyWait::untilProcessed);

    EXPECT_EQ(cad.drawing(),
              "LAYER プロット\n"
              "COLOR 5\n"
              "POINT 200,400\n"
              "POINT -101,24.5\n"
              "CIRCLE 200,400 0.75\n"
              "CIRCLE -101,24.5 0.75\n"
              "LAYER 点名\n"
              "COLOR 7\n"
              "TEXT 200.5,401 1.5 90 A1\n"
              "LAYER 点名\n"
              "COLOR 7\n"
              "TEXT -100.5,25.5 1.5 90 測点 2\n");
}

}  // namespace
}  // namespace zelanto::platform::x11
