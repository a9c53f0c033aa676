#pragma once

#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelanto::platform {

// The CAD program could not be driven: it did not start, no window carries the title, or keys
// cannot be sent (no X11 display).
class CadDriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Starting the CAD program and typing into its window.
class CadDriver {
public:
    virtual ~CadDriver() = default;

    // Starts the program detached with `arguments`; each window it shows is maximized and given
    // the focus once, when it appears, until the user acts in this program again. Throws
    // CadDriverError when it cannot start.
    virtual void start(const std::filesystem::path& program,
                       const std::vector<std::string>& arguments) = 0;
    // Brings to the front a top-level window whose title equals `title`, otherwise one whose
    // title begins with it. Throws CadDriverError when there is none.
    virtual void activate(const std::string& title) = 0;
    // Brings to the front the window of the program started last, or of a process it started;
    // when there is none, a window whose title equals one of `titleWords` or begins with it.
    // Throws CadDriverError when there is neither.
    virtual void activateCad(std::span<const std::string_view> titleWords) = 0;
    // Waits until a window of the program started last carries a title that holds `titlePart`
    // (where a program names the file it has opened), a minute at most, and brings it to the
    // front. Throws CadDriverError when none came or it cannot be driven.
    virtual void activateCadShowing(const std::string& titlePart) = 0;
    // Asks the windows of the programs started before the last one from the same program file
    // to close, as their close boxes do: one with unsaved work asks its user. Other programs,
    // those the user started among them, are never touched.
    virtual void closeEarlierStarts() = 0;
    // Types `keys` into the focused window, each character literally and "\r" as the Return
    // key. Waiting, it returns only once the keys have been processed.
    virtual void sendKeys(const std::string& keys, bool wait) = 0;
    // Presses Shift alone in the focused window: a key that types nothing.
    virtual void pressShift() = 0;
};

}  // namespace zelanto::platform
