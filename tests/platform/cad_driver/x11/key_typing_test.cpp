#include "platform/cad_driver/x11/x11_driver.h"

// Before the X11 headers, whose macros (None, Bool) clash with their names.
#include <gtest/gtest.h>
#include <QKeyEvent>
#include "tests/platform/cad_driver/x11/qt_on_display.h"

#include <X11/Xlib.h>

#include <future>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "cad/plot.h"
#include "platform/cad_driver/x11/display.h"
#include "tests/platform/cad_driver/x11/fake_cad.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/platform/cad_driver/x11/x11_test.h"

namespace zelanto::platform::x11 {
namespace {

using testing::FakeCad;

std::vector<KeySym> keyboardMap(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKeycode = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    std::vector<KeySym> keysyms(map, map + (last - first + 1) * perKeycode);
    XFree(map);
    return keysyms;
}

std::size_t distinctCharacters(std::string_view japanese) {
    std::set<std::string_view> characters;
    for (std::size_t i = 0; i < japanese.size(); i += 3) {  // three bytes each in UTF-8
        characters.insert(japanese.substr(i, 3));
    }
    return characters.size();
}

// The fake CAD program has the focus and reads keys more slowly than they are typed; each test
// reads its key log right after the waiting send.
class KeyTyping : public testing::X11Test {
protected:
    KeyTyping() : cad_(display(), folder_.path(), std::chrono::milliseconds(10)) {
        testing::focus(display(), cad_.window());
    }

    FakeCad cad_;
};

TEST_F(KeyTyping, ThePlotsCommandsArriveInOrderWithReturn) {
    const std::string runScript = cad::runScriptKeys("/tmp/orvik.scr");
    typeKeys(cad::kCoordinateSystemTurnZ, KeyWait::no);
    typeKeys(cad::kCoordinateSystemTurnX, KeyWait::no);
    typeKeys(runScript, KeyWait::untilProcessed);

    EXPECT_EQ(cad_.keys(),
              std::string(cad::kCoordinateSystemTurnZ) + cad::kCoordinateSystemTurnX + runScript);
}

TEST_F(KeyTyping, SymbolsAndJapaneseArriveIntactAndTheKeyboardIsRestored) {
    const auto before = keyboardMap(display());

    typeKeys("+^%~()[]{} 日本語　点名\"A\"\r", KeyWait::untilProcessed);

    EXPECT_EQ(cad_.keys(), "+^%~()[]{} 日本語　点名\"A\"\r");
    EXPECT_EQ(keyboardMap(display()), before);
}

TEST_F(KeyTyping, MoreDistinctCharactersThanFreeKeycodesArriveIntact) {
    const std::string text =
        "東京都千代田区丸の内一丁目九番地測量基準点座標成果簿北海道札幌市中央区南大通西五番街";
    ASSERT_GT(distinctCharacters(text), unusedKeycodes(display()).size());

    typeKeys(text, KeyWait::untilProcessed);

    EXPECT_EQ(cad_.keys(), text);
}

using KeyTypingWithoutAnswer = testing::X11Test;

TEST_F(KeyTypingWithoutAnswer, WaitingSendGivesUpOnAWindowThatNeverAnswersPings) {
    const testing::TestWindow silent(display(), {.title = "Silent", .listsPing = true});
    testing::focus(display(), silent.window());

    EXPECT_NO_THROW(typeKeys("line\r", KeyWait::untilProcessed, std::chrono::milliseconds(200)));
}

// Keycodes bound for a window that never confirms reading them may be unbound before it does:
// the characters typed with them may be lost, which the caller must hear of.
TEST_F(KeyTypingWithoutAnswer, CharactersTheKeyboardLacksNeedAWindowThatConfirmsThem) {
    for (const bool listsPing : {true, false}) {
        const testing::TestWindow silent(display(), {.title = "Silent", .listsPing = listsPing});
        testing::focus(display(), silent.window());

        EXPECT_THROW(typeKeys("script 点名.scr\r", KeyWait::no, std::chrono::milliseconds(200)),
                     X11Error)
            << listsPing;
    }
}

// A window of a Qt program (LibreCAD is one), which answers pings in a way of its own.
class QtKeyWindow : public QWindow {
public:
    std::string typed;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        typed += event->key() == Qt::Key_Return ? "\r" : event->text().toStdString();
    }
};

using KeyTypingIntoQt = testing::X11Test;

TEST_F(KeyTypingIntoQt, CharactersTheKeyboardLacksArriveAndAreConfirmed) {
    withWindowManager();
    const testing::QtOnDisplay qt;
    QtKeyWindow window;
    window.setTitle("LibreCAD");
    ASSERT_TRUE(qt.showActive(window));

    // The window reads on this thread, so the keys are typed from another.
    auto typing = std::async(std::launch::async, [] {
        typeKeys("za 点名\r", KeyWait::untilProcessed, std::chrono::seconds(20));
    });
    EXPECT_TRUE(testing::waitUntil(
        [&] {
            QCoreApplication::processEvents();
            return typing.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        },
        std::chrono::seconds(30)));
    EXPECT_NO_THROW(typing.get());
    EXPECT_EQ(window.typed, "za 点名\r");
}

// A window shaped like LibreCAD's: its canvas gives the focus to the command line at the first key
// and hands that key on only in a later turn of the event loop; on the command line a blank or
// Return runs what was typed.
class CanvasWindow : public QWindow {
public:
    std::vector<std::string> commands;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!onCommandLine_) {
            onCommandLine_ = true;
            QCoreApplication::postEvent(this, event->clone());
        } else if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) {
            commands.push_back(std::exchange(line_, std::string()));
        } else {
            line_ += event->text().toStdString();
        }
    }

private:
    bool onCommandLine_ = false;
    std::string line_;
};

TEST_F(KeyTypingIntoQt, ShiftFirstKeepsTheKeysInOrderWhereTheFirstKeyIsHandedOnLater) {
    withWindowManager();
    const testing::QtOnDisplay qt;
    CanvasWindow window;
    ASSERT_TRUE(qt.showActive(window));
    const auto handled = [&](std::size_t count) {
        return testing::waitUntil([&] {
            QCoreApplication::processEvents();
            return window.commands.size() == count;
        });
    };

    // Typed while the window reads nothing, as into a busy program, which then reads them in one
    // turn of its event loop.
    pressShift();
    typeKeys(" z", KeyWait::no);
    ASSERT_TRUE(handled(1));
    typeKeys("a\r", KeyWait::no);
    ASSERT_TRUE(handled(2));

    EXPECT_EQ(window.commands, (std::vector<std::string>{"", "za"}));
}

}  // namespace
}  // namespace zelanto::platform::x11
