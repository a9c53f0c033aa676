#pragma once

#include <string>

namespace zelanto::testing {

// Drives windows from outside the program under test, with real X events (xdotool, which is
// libxdo's command-line face): finds windows by title, clicks at places, types, presses keys.
class DesktopDriver {
public:
    // The id of a visible window whose title is exactly `title` and which is not `except`,
    // once one has appeared within `seconds`; an empty text otherwise.
    std::string waitForWindow(const std::string& title, int seconds = 20,
                              const std::string& except = "");
    bool windowGone(const std::string& id, int seconds = 20);

    // Clicks inside `window` at a point given in twips from its client area's corner.
    void clickAt(const std::string& window, int leftTwips, int topTwips);
    // Types `text` into the focused window, each character as a key press.
    void type(const std::string& text);
    void key(const std::string& name);
    // Brings `window` forward and waits until it has the focus.
    void activate(const std::string& window);
    // Answers the next message box titled `title` (not the window `mainWindow`) with the key
    // `key`; false when no such box appeared or it stayed.
    bool answer(const std::string& title, const std::string& mainWindow, const char* key);
};

}  // namespace zelanto::testing
