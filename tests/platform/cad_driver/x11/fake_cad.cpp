#include "tests/platform/cad_driver/x11/fake_cad.h"

#include <stdexcept>

#include "tests/fake_cad/fake_cad_title.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

FakeCad::FakeCad(Display* display, const std::filesystem::path& folder,
                 std::chrono::milliseconds keyDelay)
    : log_(folder / "fakecad.log"),
      process_({ZELANTO_FAKECAD, log_.string(), std::to_string(keyDelay.count())}),
      window_(waitForWindow(display, fakecad::kTitle)) {
    if (window_ == None) {
        throw std::runtime_error("fakecad.exe did not show its window");
    }
}

std::string FakeCad::keys() const {
    return readBytes(log_);
}

std::string FakeCad::drawing() const {
    return readBytes(log_.string() + ".drawing");
}

}  // namespace zelanto::testing
