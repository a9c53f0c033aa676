#include "platform/cad_driver/x11/key_runs.h"

#include <algorithm>

#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {

std::vector<KeyRun> splitIntoRuns(std::span<const KeySym> keys,
                                  const std::function<bool(KeySym)>& onKeyboard,
                                  std::size_t unusedKeycodes) {
    std::vector<KeyRun> runs;
    std::size_t start = 0;
    std::vector<KeySym> missing;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const KeySym key = keys[i];
        if (onKeyboard(key) || std::find(missing.begin(), missing.end(), key) != missing.end()) {
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

}  // namespace zelanto::platform::x11
