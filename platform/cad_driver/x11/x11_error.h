#pragma once

#include <stdexcept>

namespace zelanto::platform::x11 {

// Another program's window could not be driven: no window carries the title, it cannot be given
// the focus, or the keys cannot be typed.
class X11Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// There is no X11 display to drive: DISPLAY is unset or the server cannot be reached.
class NoDisplayError : public X11Error {
public:
    using X11Error::X11Error;
};

}  // namespace zelanto::platform::x11
