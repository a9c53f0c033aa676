// fakecad.exe: an X11 window titled like the CAD program that records every key typed into it and
// what the scripts it is told to run would draw. The key log is FAKECAD_LOG (as ZELANTO starts it
// with no arguments) or the first argument; the drawing log is the same path + ".drawing". A second
// argument makes it spend that many milliseconds on each key before reading it, like a busy CAD
// program. FAKECAD_TITLE, when set, replaces the window's title, so that it can stand in for a CAD
// program that is not known by its title. FAKECAD_FIXED_SIZE, when set, fixes the window's size,
// as a splash does, so that a window manager never maximizes it. It runs until it is closed
// (SIGTERM or WM_DELETE_WINDOW).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "tests/fake_cad/command_line.h"
#include "tests/fake_cad/fake_cad_title.h"
#include "tests/fake_cad/text_encoding.h"

namespace zelanto::fakecad {
namespace {

constexpr KeySym kUnicodeKeysymBase = 0x1000000;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Atoms {
    explicit Atoms(Display* display)
        : protocols(XInternAtom(display, "WM_PROTOCOLS", False)),
          deleteWindow(XInternAtom(display, "WM_DELETE_WINDOW", False)),
          ping(XInternAtom(display, "_NET_WM_PING", False)),
          netWmName(XInternAtom(display, "_NET_WM_NAME", False)),
          netWmPid(XInternAtom(display, "_NET_WM_PID", False)),
          utf8String(XInternAtom(display, "UTF8_STRING", False)) {}
    Atom protocols, deleteWindow, ping, netWmName, netWmPid, utf8String;
};

Window createWindow(Display* display, const Atoms& atoms, const char* title) {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kWidth, kHeight, 0, 0,
                            WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, title);
    XChangeProperty(display, window, atoms.netWmName, atoms.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    const long pid = getpid();
    XChangeProperty(display, window, atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, window, &hints);
    if (std::getenv("FAKECAD_FIXED_SIZE") != nullptr) {
        XSizeHints size{};
        size.flags = PMinSize | PMaxSize;
        size.min_width = size.max_width = kWidth;
        size.min_height = size.max_height = kHeight;
        XSetWMNormalHints(display, window, &size);
    }
    Atom protocols[] = {atoms.deleteWindow, atoms.ping};
    XSetWMProtocols(display, window, protocols, 2);
    XSelectInput(display, window, KeyPressMask);
    XMapWindow(display, window);
    XFlush(display);
    return window;
}

// The character a key press types: Return as "\r", other characters through their keysym, which
// for characters beyond Latin-1 is 0x1000000 + the code point.
std::optional<std::string> typedCharacter(XKeyEvent& event) {
    char buffer[8];
    KeySym keysym = NoSymbol;
    XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
    if (keysym == XK_Return || keysym == XK_KP_Enter) {
        return "\r";
    }
    if ((keysym >= 0x20 && keysym <= 0x7E) || (keysym >= 0xA0 && keysym <= 0xFF)) {
        return utf8Character(static_cast<char32_t>(keysym));
    }
    if ((keysym & 0xFF000000) == kUnicodeKeysymBase) {
        return utf8Character(static_cast<char32_t>(keysym & 0xFFFFFF));
    }
    return std::nullopt;  // Shift and the like
}

// _NET_WM_PING is answered by sending the message back to the root window.
void answerPing(Display* display, XClientMessageEvent message) {
    const Window root = DefaultRootWindow(display);
    message.window = root;
    XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask,
               reinterpret_cast<XEvent*>(&message));
    XFlush(display);
}

// Records keys until the window is closed.
void run(Display* display, const std::string& log, std::chrono::milliseconds keyDelay) {
    const Atoms atoms(display);
    const char* title = std::getenv("FAKECAD_TITLE");
    createWindow(display, atoms, title != nullptr ? title : kTitle);
    CommandLine commandLine(log, log + ".drawing");
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        } else if (event.type == KeyPress) {
            std::this_thread::sleep_for(keyDelay);
            if (const auto character = typedCharacter(event.xkey)) {
                commandLine.type(*character);
            }
        } else if (event.type == ClientMessage && event.xclient.message_type == atoms.protocols) {
            if (static_cast<Atom>(event.xclient.data.l[0]) == atoms.ping) {
                answerPing(display, event.xclient);
            } else if (static_cast<Atom>(event.xclient.data.l[0]) == atoms.deleteWindow) {
                return;
            }
        }
    }
}

}  // namespace
}  // namespace zelanto::fakecad

int main(int argc, char** argv) {
    const char* log = argc > 1 ? argv[1] : std::getenv("FAKECAD_LOG");
    if (log == nullptr) {
        std::fprintf(stderr, "usage: fakecad.exe LOG [KEY_DELAY_MS] (or FAKECAD_LOG=LOG)\n");
        return 64;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "fakecad.exe: no X11 display\n");
        return 1;
    }
    zelanto::fakecad::run(display, log,
                          std::chrono::milliseconds(argc > 2 ? std::atoi(argv[2]) : 0));
    XCloseDisplay(display);
    return 0;
}
