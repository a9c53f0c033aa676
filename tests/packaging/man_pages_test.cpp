// The manual pages as made by the build and read by man.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/child_process.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kMan = ZELANTO_MAN_PAGES;

// The page as man shows it; roff's complaints (which lintian reports) come after "WARNINGS:".
std::string shown(const std::string& page) {
    return runShell("MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l '" +
                    (kMan / page).string() +
                    "' 2>&1 | col -b; echo WARNINGS:; LC_ALL=C.UTF-8 "
                    "man --warnings -E UTF-8 -l -Tutf8 -Z '" +
                    (kMan / page).string() + "' 2>&1 >/dev/null")
        .output;
}

TEST(ManPages, CommandLinePageCarriesTheOptionsAsTheToolPrintsThem) {
    const std::string page = shown("zelanto-cli.1.gz");
    EXPECT_NE(page.find("zelanto-cli - import, merge, measure and map SIM survey files"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("zelanto-cli export FILE.sim --zone N --out OUT [options]\n"
                        "       zelanto-cli tosim IN --zone N --out OUT.sim [options]\n"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("zelanto-cli import FILE.sim [--scale 1/N] [--script OUT.scr]"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("終了コード: 0 成功"), std::string::npos) << page;
    EXPECT_NE(page.find("SYNOPSIS\n       zelanto-cli import FILE.sim [options]\n"
                        "       zelanto-cli merge A.sim [B.sim [C.sim]] --out OUT.sim [options]\n"
                        "       zelanto-cli parcels FILE.sim [options]\n"),
              std::string::npos)
        << page;
    EXPECT_EQ(page.substr(page.find("WARNINGS:")), "WARNINGS:\n");
}

TEST(ManPages, WindowPageNamesTheFilesWhereTheInstalledProgramKeepsThem) {
    const std::string page = shown("zelanto.1.gz");
    EXPECT_NE(page.find("~/.config/zelanto/zelanto.ini"), std::string::npos) << page;
    EXPECT_NE(page.find("~/.local/share/zelanto/"), std::string::npos) << page;
    EXPECT_EQ(page.substr(page.find("WARNINGS:")), "WARNINGS:\n");
}

}  // namespace
}  // namespace zelanto::testing
