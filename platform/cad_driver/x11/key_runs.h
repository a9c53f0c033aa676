#pragma once

#include <X11/X.h>

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace zelanto::platform::x11 {

// Consecutive keys typed with one set of bound keycodes: `missing` lists, once each, the keysyms
// of `keys` that no key of the keyboard types.
struct KeyRun {
    std::span<const KeySym> keys;
    std::vector<KeySym> missing;
};

// Splits `keys` into runs, in order, each missing at most `unusedKeycodes` keysyms, so that a text
// with more distinct foreign characters than there are free keycodes is typed in several rounds.
// Throws X11Error when a keysym is missing and no keycode is free.
std::vector<KeyRun> splitIntoRuns(std::span<const KeySym> keys,
                                  const std::function<bool(KeySym)>& onKeyboard,
                                  std::size_t unusedKeycodes);

}  // namespace zelanto::platform::x11
