// Keys typed into the focused window: each character as its keysym, characters the keyboard lacks
// on keycodes bound to them for the while, and a _NET_WM_PING round trip for the window to
// confirm that it has read them.
#include <X11/keysym.h>
#include <iconv.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>

#include "platform/cad_driver/x11/display.h"
#include "platform/cad_driver/x11/x11_driver.h"

namespace zelanto::platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;

constexpr KeySym kUnicodeKeysymBase = 0x1000000;

// glibc's wchar_t holds one code point.
std::wstring codePoints(std::string_view utf8) {
    const iconv_t converter = iconv_open("WCHAR_T", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw X11Error("iconv cannot read UTF-8");
    }
    std::wstring text(utf8.size(), L'\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = reinterpret_cast<char*>(text.data());
    size_t outLeft = text.size() * sizeof(wchar_t);
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) {
        throw X11Error("the keys are not UTF-8 text");
    }
    text.resize(text.size() - outLeft / sizeof(wchar_t));
    return text;
}

// "\r" is Return, Latin-1 characters have keysyms of the same number, every other character the
// keysym 0x1000000 + its code point.
KeySym keysymOf(wchar_t codePoint) {
    const bool latin1 =
        (codePoint >= 0x20 && codePoint <= 0x7E) || (codePoint >= 0xA0 && codePoint <= 0xFF);
    if (codePoint == L'\r') {
        return XK_Return;
    }
    const auto keysym = static_cast<KeySym>(codePoint);
    return latin1 ? keysym : kUnicodeKeysymBase | keysym;
}

// The keysym that types each character of `utf8`. Throws X11Error for text that is not UTF-8.
std::vector<KeySym> keysymsOf(std::string_view utf8) {
    std::vector<KeySym> keysyms;
    for (const wchar_t codePoint : codePoints(utf8)) {
        keysyms.push_back(keysymOf(codePoint));
    }
    return keysyms;
}

// The name libxdo reads a keysym by. XKeysymToString makes up a new name for every Unicode
// keysym, which nobody frees; the name is just "U" and the code point in hexadecimal.
std::string keysymName(KeySym keysym) {
    if ((keysym & 0xFF000000) != kUnicodeKeysymBase) {
        return XKeysymToString(keysym);
    }
    char name[16];
    std::snprintf(name, sizeof name, "U%04lX", keysym & 0xFFFFFF);
    return name;
}

// Consecutive keys typed with one set of bound keycodes: `missing` lists, once each, the keysyms
// of `keys` that no key of the keyboard types.
struct KeyRun {
    std::span<const KeySym> keys;
    std::vector<KeySym> missing;
};

// Splits `keys` into runs, in order, each missing at most `unusedKeycodes` keysyms, so that a text
// with more distinct foreign characters than there are free keycodes is typed in several rounds.
// Throws X11Error when a keysym is missing and no keycode is free.
std::vector<KeyRun> splitIntoRuns(std::span<const KeySym> keys, Display* display,
                                  std::size_t unusedKeycodes) {
    std::vector<KeyRun> runs;
    std::size_t start = 0;
    std::vector<KeySym> missing;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const KeySym key = keys[i];
        if (isOnKeyboard(display, key) ||
            std::find(missing.begin(), missing.end(), key) != missing.end()) {
            continue;
        }
        if (unusedKeycodes == 0) {
            throw X11Error("no free keycode to type a character the keyboard lacks");
        }
        if (missing.size() == unusedKeycodes) {
            runs.push_back({keys.subspan(start, i - start), std::move(missing)});
            start = i;
            missing.clear();
        }
        missing.push_back(key);
    }
    runs.push_back({keys.subspan(start), std::move(missing)});
    return runs;
}

// Binds each keysym to its own keycode out of `unused` (at least as many), and unbinds them when
// it goes. Each keeps its keycode for the whole binding: a window that reads its keys late still
// finds the keysym they were typed with.
class KeycodeBinding {
public:
    KeycodeBinding(Display* display, std::span<const KeyCode> unused,
                   std::span<const KeySym> keysyms)
        : display_(display), bound_(unused.first(keysyms.size())) {
        for (size_t i = 0; i < keysyms.size(); ++i) {
            bind(bound_[i], keysyms[i]);
        }
        XSync(display_, False);
    }
    ~KeycodeBinding() {
        for (const KeyCode keycode : bound_) {
            bind(keycode, NoSymbol);
        }
        XSync(display_, False);
    }
    KeycodeBinding(const KeycodeBinding&) = delete;
    KeycodeBinding& operator=(const KeycodeBinding&) = delete;

private:
    // Binds `keycode` to `keysym` with or without Shift; NoSymbol unbinds it.
    void bind(KeyCode keycode, KeySym keysym) {
        KeySym both[] = {keysym, keysym};
        XChangeKeyboardMapping(display_, keycode, 2, both, 1);
    }

    Display* display_;
    std::span<const KeyCode> bound_;
};

struct PingAtoms {
    explicit PingAtoms(Display* display)
        : protocols(XInternAtom(display, "WM_PROTOCOLS", False)),
          ping(XInternAtom(display, "_NET_WM_PING", False)) {}
    Atom protocols;
    Atom ping;
};

// The echo comes back to the root window, among everything else that happens there.
bool isEcho(const XEvent& event, const PingAtoms& atoms, long token, Window window) {
    return event.type == ClientMessage && event.xclient.message_type == atoms.protocols &&
           static_cast<Atom>(event.xclient.data.l[0]) == atoms.ping &&
           event.xclient.data.l[1] == token &&
           static_cast<Window>(event.xclient.data.l[2]) == window;
}

void sendPing(Display* display, const PingAtoms& atoms, long token, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atoms.protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atoms.ping);
    event.xclient.data.l[1] = token;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Waits for the next event until `deadline`; false when none came.
bool nextEvent(Display* display, Clock::time_point deadline, XEvent& event) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&connection, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
    }
    XNextEvent(display, &event);
    return true;
}

// Distinguishes our pings from a window manager's, which carry server times.
long nextToken() {
    static long token = 0;
    return ++token;
}

// The window that has the keyboard focus, or its nearest ancestor that answers _NET_WM_PING;
// None when neither does.
Window pingableFocusWindow(Display* display) {
    return focusedAncestor(display, [display](Window window) {
        return listsProtocol(display, window, "_NET_WM_PING");
    });
}

// Returns true once `window` has handled every event the server delivered to it before this call:
// a _NET_WM_PING round trip. False when no answer came within `timeout`, or at once for a window
// that cannot be pinged (None) once the server has handled everything sent so far.
bool waitUntilProcessed(Display* display, Window window, std::chrono::milliseconds timeout) {
    if (window == None) {
        XSync(display, False);
        return false;
    }
    const PingAtoms atoms(display);
    const long token = nextToken();
    // Toolkits send the echo with different masks: Qt's reaches those who select StructureNotify.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask | StructureNotifyMask);
    sendPing(display, atoms, token, window);
    const auto deadline = Clock::now() + timeout;
    XEvent event{};
    while (nextEvent(display, deadline, event)) {
        if (isEcho(event, atoms, token, window)) {
            return true;
        }
    }
    return false;
}

// Into the current window libxdo sends XTEST events, which every program takes as real keys;
// events sent to a named window are synthetic, and many programs ignore those.
void typeRun(Display* display, std::span<const KeySym> keys) {
    const Xdo xdo = makeXdo(display);
    for (const KeySym key : keys) {
        if (xdo_send_keysequence_window(xdo.get(), CURRENTWINDOW, keysymName(key).c_str(), 0) !=
            XDO_SUCCESS) {
            throw X11Error("cannot type the key " + keysymName(key));
        }
    }
    XSync(display, False);
}

void confirmProcessed(Display* display, Window target, std::chrono::milliseconds timeout) {
    if (target == None) {
        throw X11Error(
            "the focused window does not answer _NET_WM_PING, so it cannot confirm that it read "
            "characters the keyboard lacks");
    }
    if (!waitUntilProcessed(display, target, timeout)) {
        throw X11Error("the focused window did not confirm within " +
                       std::to_string(timeout.count()) + " ms that it read the keys");
    }
}

void checkFocus(Display* display, Window target) {
    if (target != None && pingableFocusWindow(display) != target) {
        throw X11Error("the focus left the window the keys were typed into");
    }
}

}  // namespace

void typeKeys(std::string_view keys, KeyWait wait, std::chrono::milliseconds timeout) {
    const DisplayConnection connection;
    Display* display = connection.get();
    const std::vector<KeySym> keysyms = keysymsOf(keys);
    const Window target = pingableFocusWindow(display);
    const std::vector<KeyCode> unused = unusedKeycodes(display);
    bool processed = true;
    for (const KeyRun& run : splitIntoRuns(keysyms, display, unused.size())) {
        checkFocus(display, target);
        if (run.missing.empty()) {
            typeRun(display, run.keys);
            processed = false;
            continue;
        }
        // The window must not load its keyboard map (as it does when it reads its first key)
        // while the binding changes it.
        confirmProcessed(display, target, timeout);
        const KeycodeBinding binding(display, unused, run.missing);
        typeRun(display, run.keys);
        // Keycodes are unbound only once the window has read the keys typed with them.
        confirmProcessed(display, target, timeout);
        processed = true;
    }
    if (wait == KeyWait::untilProcessed && !processed) {
        waitUntilProcessed(display, target, timeout);
    }
}

void pressShift() {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    if (xdo_send_keysequence_window(xdo.get(), CURRENTWINDOW, "Shift_L", 0) != XDO_SUCCESS) {
        throw X11Error("cannot press Shift");
    }
    XSync(connection.get(), False);
}

}  // namespace zelanto::platform::x11
