#include "tests/e2e/desktop_driver.h"

#include <sstream>

#include "tests/e2e/child_process.h"
#include "tests/platform/cad_driver/x11/wait_until.h"

namespace zelanto::testing {
namespace {

constexpr int kTwipsPerPixel = 15;  // at the session's 96 DPI

// Quotes a text for the shell.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

std::string firstOtherThan(const std::string& ids, const std::string& except) {
    std::istringstream lines(ids);
    for (std::string id; std::getline(lines, id);) {
        if (!id.empty() && id != except) {
            return id;
        }
    }
    return "";
}

}  // namespace

std::string DesktopDriver::waitForWindow(const std::string& title, int seconds,
                                         const std::string& except) {
    std::string found;
    waitUntil(
        [&] {
            found = firstOtherThan(shellOutput("xdotool search --onlyvisible --name " +
                                               quoted("^" + title + "$") + " 2>/dev/null"),
                                   except);
            return !found.empty();
        },
        std::chrono::seconds(seconds));
    return found;
}

bool DesktopDriver::windowGone(const std::string& id, int seconds) {
    return waitUntil(
        [&] {
            return shellOutput("xdotool search --onlyvisible --name . 2>/dev/null").find(id) ==
                   std::string::npos;
        },
        std::chrono::seconds(seconds));
}

void DesktopDriver::clickAt(const std::string& window, int leftTwips, int topTwips) {
    shellOutput("xdotool mousemove --sync --window " + window + " " +
                std::to_string(leftTwips / kTwipsPerPixel) + " " +
                std::to_string(topTwips / kTwipsPerPixel) + " click 1");
}

void DesktopDriver::type(const std::string& text) {
    shellOutput("xdotool type --delay 30 -- " + quoted(text));
}

void DesktopDriver::key(const std::string& name) {
    shellOutput("xdotool key " + name);
}

void DesktopDriver::activate(const std::string& window) {
    shellOutput("xdotool windowactivate --sync " + window + " 2>/dev/null");
}

bool DesktopDriver::answer(const std::string& title, const std::string& mainWindow,
                           const char* key) {
    const std::string box = waitForWindow(title, 20, mainWindow);
    if (box.empty()) {
        return false;
    }
    activate(box);
    this->key(key);
    return windowGone(box);
}

}  // namespace zelanto::testing
