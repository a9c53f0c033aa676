// What `cmake --install` puts below a prefix, used as a file manager and a software centre use
// it: the thumbnailer of SIM files, and the software-centre entry with the menu entry and the SIM
// type it names.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
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

    const std::string text = readBytes(entry);
    EXPECT_EQ(allOf(text, "<id>([^<]*)</id>"), std::vector{kAppId});
    EXPECT_EQ(allOf(text, "<launchable type=\"desktop-id\">([^<]*)</launchable>"),
              std::vector{kAppId + ".desktop"});
    EXPECT_TRUE(fs::is_regular_file(usr() / "share/applications" / (kAppId + ".desktop")));
    // The type it provides is the SIM type the package installs and the menu entry opens.
    const std::string mime = readBytes(usr() / "share/mime/packages/zelanto.xml");
    EXPECT_EQ(allOf(text, "<mediatype>([^<]*)</mediatype>"),
              allOf(mime, "<mime-type type=\"([^\"]*)\""));
    EXPECT_EQ(allOf(text, "<summary xml:lang=\"ja\">([^<]*)</summary>").size(), 1u);
    // The screenshots are the pictures of docs/, where the project publishes that folder.
    const std::vector<std::string> images = allOf(text, "<image>([^<]*)</image>");
    EXPECT_GE(images.size(), 4u);
    for (const std::string& image : images) {
        const std::string folder = ZELANTO_DOCS_URL "/";
        ASSERT_TRUE(image.starts_with(folder)) << image;
        EXPECT_TRUE(fs::is_regular_file(fs::path(ZELANTO_DOCS) / image.substr(folder.size())))
            << image;
    }
}

}  // namespace
}  // namespace zelanto::testing
