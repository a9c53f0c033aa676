#include "tests/packaging/thumbnailer_check.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/cad/png_picture.h"
#include "tests/e2e/child_process.h"
#include "tests/packaging/key_file.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

// Three points: the first, one 100 m north of it (X runs north) and one 100 m east (Y east).
const std::string kPoints =
    "G00,01,test,\r\nA00,\r\nA01,1,P1,0,0,1,\r\nA01,2,N,100,0,1,\r\nA01,3,E,0,100,1,\r\n"
    "A99,\r\n";

// Runs the Exec= line of a thumbnailer entry as a file manager does: split into words, %i, %o and
// %s replaced in each by the input path, the output path and the size, the program looked up in
// `bin`. Its exit status, once it has ended.
std::optional<int> runThumbnailer(const std::string& exec, const fs::path& bin,
                                  const fs::path& input, const fs::path& output, int size) {
    std::vector<std::string> words;
    std::istringstream line(exec);
    for (std::string word; line >> word;) {
        for (const auto& [code, value] : {std::pair{"%i", input.string()},
                                          {"%o", output.string()},
                                          {"%s", std::to_string(size)}}) {
            if (const auto at = word.find(code); at != std::string::npos) {
                word.replace(at, 2, value);
            }
        }
        words.push_back(word);
    }
    const fs::path program = words.front().find('/') == std::string::npos ? bin / words.front()
                                                                          : fs::path(words.front());
    ChildProcess thumbnailer(program, {words.begin() + 1, words.end()}, {});
    return thumbnailer.waitForExit(std::chrono::seconds(60));
}

}  // namespace

void expectThumbnailerDrawsSimFiles(const fs::path& entry, const fs::path& bin) {
    const std::string text = readBytes(entry);
    ASSERT_TRUE(text.starts_with("[Thumbnailer Entry]\n")) << entry;
    EXPECT_EQ(keyValue(text, "MimeType"), "application/x-sima;");
    // A file manager uses the entry only when its TryExec program is there.
    EXPECT_TRUE(fs::is_regular_file(bin / keyValue(text, "TryExec"))) << text;
    const std::string exec = keyValue(text, "Exec");
    ASSERT_FALSE(exec.empty()) << text;

    TempFolder folder;
    writeBytes(folder / "points.sim", kPoints);
    for (const int size : {128, 256, 512}) {
        const fs::path thumbnail = folder / ("thumbnail-" + std::to_string(size) + ".png");
        EXPECT_EQ(runThumbnailer(exec, bin, folder / "points.sim", thumbnail, size), 0) << exec;
        const PngPicture shown(thumbnail);
        ASSERT_TRUE(shown.read()) << thumbnail;
        EXPECT_EQ(shown.width(), size);
        EXPECT_EQ(shown.height(), size);
        // North up, east to the right: ink in three corners, none in the north-east one, and no
        // names.
        const int half = size / 2;
        EXPECT_GT(shown.count(Ink::blue, {0, 0, half, half}), 0) << size;
        EXPECT_GT(shown.count(Ink::blue, {0, half, half, size}), 0) << size;
        EXPECT_GT(shown.count(Ink::blue, {half, half, size, size}), 0) << size;
        EXPECT_EQ(shown.count(Ink::blue, {half, 0, size, half}), 0) << size;
        EXPECT_EQ(shown.count(Ink::dark), 0) << size;
    }

    writeBytes(folder / "broken.sim", "A01,1,P1,0,0..5,1,\r\nA99,\r\n");
    const std::optional<int> status =
        runThumbnailer(exec, bin, folder / "broken.sim", folder / "broken.png", 128);
    ASSERT_TRUE(status) << "the thumbnailer ends";
    EXPECT_NE(*status, 0);
    EXPECT_FALSE(fs::exists(folder / "broken.png"));
}

}  // namespace zelanto::testing
