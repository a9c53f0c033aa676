// Every character typed arrives, also when the machine is busy and the window slow: strings of
// every kind of character the plot may type are typed into fake CAD programs while other
// processes keep every processor busy. A fresh fake is started every few strings, since a program
// that has only just started loads its keyboard map when it reads its first key, which may be
// while the next string binds keycodes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cad/plot.h"
#include "platform/cad_driver/x11/x11_driver.h"
#include "tests/platform/cad_driver/x11/fake_cad.h"
#include "tests/platform/cad_driver/x11/process.h"
#include "tests/platform/cad_driver/x11/x11_test.h"

namespace zelanto::platform::x11 {
namespace {

constexpr int kStrings = 200;
constexpr int kStringsPerProgram = 10;

// Characters of a path or a command: ASCII, the characters a keystroke facility would take as
// commands, blanks, Japanese, full-width and half-width forms, the ideographic space.
const std::vector<std::string> kCharacters = [] {
    std::vector<std::string> characters;
    for (const char c : std::string("azAZ09_-./:\\\"' +^%~(){}[]")) {
        characters.emplace_back(1, c);
    }
    const std::string multiByte =
        "点名測量図面境界杭東京都千代田区丸の内一丁目九番地座標成果簿ＡＢＣ１２３（）［］｛｝＋％"
        "～　ｶﾀｶﾅ";
    for (std::size_t at = 0; at < multiByte.size(); at += 3) {  // three bytes each in UTF-8
        characters.push_back(multiByte.substr(at, 3));
    }
    return characters;
}();

std::vector<std::string> mixedStrings() {
    std::mt19937 random(932);
    std::vector<std::string> strings;
    for (int i = 0; i < kStrings; ++i) {
        std::string text;
        // Now and then more distinct characters than there are free keycodes.
        const std::size_t length = i % 25 == 0 ? 90 : 3 + random() % 20;
        for (std::size_t n = 0; n < length; ++n) {
            text += kCharacters[random() % kCharacters.size()];
        }
        strings.push_back(text + "\r");
    }
    return strings;
}

// Busy processes, one for each processor, ended by their ids when the object goes.
class CpuLoad {
public:
    CpuLoad() {
        for (unsigned i = 0; i < std::max(2u, std::thread::hardware_concurrency()); ++i) {
            busy_.emplace_back(std::make_unique<testing::Process>(
                std::vector<std::string>{"sh", "-c", "while :; do :; done"}));
        }
    }

private:
    std::vector<std::unique_ptr<testing::Process>> busy_;
};

using KeyTypingUnderLoad = testing::X11Test;

TEST_F(KeyTypingUnderLoad, EveryStringArrivesWholeAndInOrder) {
    const CpuLoad load;
    const std::vector<std::string> strings = mixedStrings();
    for (int first = 0; first < kStrings; first += kStringsPerProgram) {
        const auto folder = folder_ / std::to_string(first);
        std::filesystem::create_directory(folder);
        // Every other program spends a while on each key, like a busy CAD program.
        const testing::FakeCad cad(display(), folder,
                                   std::chrono::milliseconds(first / kStringsPerProgram % 2 * 3));
        activateWindow("AutoCAD");
        // As the plot begins: keys the keyboard has, which the program reads while the next
        // strings bind keycodes.
        typeKeys(cad::kCoordinateSystemTurnZ, KeyWait::no);
        typeKeys(cad::kCoordinateSystemTurnX, KeyWait::no);
        std::string expected =
            std::string(cad::kCoordinateSystemTurnZ) + cad::kCoordinateSystemTurnX;
        for (int i = first; i < first + kStringsPerProgram; ++i) {
            // As the plot sends: some return at once, the last of each program waits.
            const bool last = i == first + kStringsPerProgram - 1;
            typeKeys(strings[i], last || i % 3 == 0 ? KeyWait::untilProcessed : KeyWait::no);
            expected += strings[i];
        }
        ASSERT_EQ(cad.keys(), expected)
            << "strings " << first << " to " << first + kStringsPerProgram - 1;
    }
}

}  // namespace
}  // namespace zelanto::platform::x11
