// What `cmake --install` puts below a prefix, used as a file manager and a software centre use
// it: the thumbnailer of SIM files, and the software-centre entry with the menu entry and the SIM
// type it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "tests/e2e/child_process.h"
#include "tests/packaging/thumbnailer_check.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

const std::string kAppId = ZELANTO_APP_ID;

// Every match of the first group of `pattern` in `text`.
std::vector<std::string> allOf(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex expression(pattern);
    for (auto match = std::sregex_iterator(text.begin(), text.end(), expression);
         match != std::sregex_iterator(); ++match) {
        found.push_back((*match)[1].str());
    }
    return found;
}

class InstalledTree : public ::testing::Test {
protected:
    // One installation for the suite, into a root of its own.
    static void SetUpTestSuite() {
        root_ = std::make_unique<TempFolder>();
        install_ = runShell("'" ZELANTO_CMAKE "' --install '" ZELANTO_BUILD "' --prefix '" +
                            usr().string() + "' 2>&1");
    }
    static void TearDownTestSuite() { root_.reset(); }
    void SetUp() override { ASSERT_EQ(install_.status, 0) << install_.output; }

    static fs::path usr() { return root_->path() / "usr"; }

    static inline std::unique_ptr<TempFolder> root_;
    static inline ShellResult install_;
};

TEST_F(InstalledTree, ThumbnailerDrawsSimFilesAsAFileManagerRunsIt) {
    expectThumbnailerDrawsSimFiles(usr() / "share/thumbnailers/zelanto.thumbnailer", usr() / "bin");
}

TEST_F(InstalledTree, SoftwareCentreEntryPassesTheValidatorAndNamesWhatIsInstalled) {
    const fs::path entry = usr() / "share/metainfo" / (kAppId + ".metainfo.xml");
    const ShellResult validation =
        runShell("appstreamcli validate --no-net --pedantic '" + entry.string() + "' 2>&1");
    EXPECT_EQ(validation.status, 0) << validation.output;
    // The tree as a software centre reads it: the entry with the menu entry it launches.
    const ShellResult tree =
        runShell("appstreamcli validate-tree --no-net '" + root_->path().string() + "' 2>&1");
    EXPECT_EQ(tree.status, 0) << tree.output;

    // English and Japanese; the type it provides is the SIM type the package installs.
    const std::string text = readBytes(entry);
    EXPECT_EQ(allOf(text, "<summary xml:lang=\"ja\">([^<]*)</summary>").size(), 1u);
    EXPECT_EQ(allOf(text, "(<p xml:lang=\"ja\">)").size(), allOf(text, "(<p>)").size());
    EXPECT_EQ(allOf(text, "<mediatype>([^<]*)</mediatype>"),
              allOf(readBytes(usr() / "share/mime/packages/zelanto.xml"),
                    "<mime-type type=\"([^\"]*)\""));
    // The screenshots are the pictures of docs/, where the project publishes that folder.
    std::set<std::string> pictures;
    for (const auto& file : fs::directory_iterator(ZELANTO_DOCS)) {
        if (file.path().extension() == ".png") {
            pictures.insert(ZELANTO_DOCS_URL "/" + file.path().filename().string());
        }
    }
    const std::vector<std::string> images = allOf(text, "<image>([^<]*)</image>");
    EXPECT_EQ(std::set(images.begin(), images.end()), pictures);
}

// The map commands run in zelanto-map, which the installed zelanto-cli finds in the program's
// private folder (as it finds zelanto-picture, which the thumbnailer test runs); zelanto-cli itself
// loads neither GDAL nor cairo.
TEST_F(InstalledTree, MapCommandsRunInTheirOwnProgramBelowThePrefix) {
    const fs::path cli = usr() / "bin/zelanto-cli";
    const fs::path out = root_->path() / "points.geojson";
    const ShellResult exported = runShell(
        "'" + cli.string() + "' export '" ZELANTO_FIXTURES "/parcels_padded.sim' --zone 9 --out '" +
        out.string() + "' 2>&1");
    EXPECT_EQ(exported.status, 0) << exported.output;
    EXPECT_NE(readBytes(out).find("\"FeatureCollection\""), std::string::npos);
    EXPECT_EQ(runShell("ldd '" + cli.string() + "' | grep -c 'libgdal\\|libcairo'").output, "0\n");
}

}  // namespace
}  // namespace zelanto::testing
