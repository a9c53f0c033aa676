#pragma once

#include <X11/Xlib.h>

#include <memory>

// xdo.h has no C++ guard of its own.
extern "C" {
#include <xdo.h>
}

#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {

struct XdoFree {
    void operator()(xdo_t* xdo) const { xdo_free(xdo); }
};
using Xdo = std::unique_ptr<xdo_t, XdoFree>;

// A libxdo handle on an open display, which it leaves open. libxdo reads the keyboard map once,
// here: keycodes bound later are unknown to it.
inline Xdo makeXdo(Display* display) {
    Xdo xdo(xdo_new_with_opened_display(display, nullptr, False));
    if (!xdo) {
        throw X11Error("libxdo cannot use the X11 display");
    }
    return xdo;
}

}  // namespace zelanto::platform::x11
