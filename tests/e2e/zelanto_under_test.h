#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/child_process.h"
#include "tests/e2e/desktop_driver.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

// Button centres in twips, from the main window's layout.
inline constexpr int kCommand1X = 4800 + 1695 / 2;  // "SIM 読込み", later "Auto_CAD起動"/"プロット"
inline constexpr int kCommand2X = 3120 + 1695 / 2;  // "SIM 合体"
inline constexpr int kCommand3X = 6480 + 495 / 2;   // "▼"/"▲"
inline constexpr int kTopRowY = 495 / 2;
inline constexpr int kCommand4X = 2760 + 4095 / 2;  // the CAD path, in the expanded window
inline constexpr int kCommand4Y = 3840 + 300 / 2;
inline constexpr int kCombo1X = 600 + 600;  // the scale list, in the status line's place
inline constexpr int kCombo1Y = 120 + 315 / 2;

// The real program in a program folder of its own inside a temporary folder, started with its
// runtime, cache and PATH there; opening a shown .xlsx is recorded in "opened" instead of
// starting a spreadsheet application.
class ZelantoUnderTest {
public:
    ZelantoUnderTest();

    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path programFolder() const { return folder() / "program"; }
    // Copies `file` into the program folder as `name` and returns its path there.
    std::filesystem::path install(const std::filesystem::path& file, const std::string& name);
    // Stores `cad` as the CAD path in the program's settings file.
    void setCadPath(const std::filesystem::path& cad);
    std::filesystem::path writeFile(const std::string& name, const std::string& bytes);

    // Starts the program; `pathTail` is appended to the PATH it gets, `environment` (NAME=VALUE)
    // is added to its environment. Its HOME is a folder of its own, which the programs it starts
    // inherit.
    std::unique_ptr<ChildProcess> start(const std::string& pathTail,
                                        const std::vector<std::string>& environment = {}) const;

private:
    TempFolder folder_;
};

// Types a path into the open-file dialog and accepts it.
void chooseFile(DesktopDriver& driver, const std::filesystem::path& file);

}  // namespace zelanto::testing
