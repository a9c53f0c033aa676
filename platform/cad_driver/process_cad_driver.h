#pragma once

#include "platform/cad_driver/cad_driver.h"

namespace zelanto::platform {

// Starts the CAD program as a detached process; activates its window and types into it on the
// X11 display.
class ProcessCadDriver : public CadDriver {
public:
    void start(const std::filesystem::path& program) override;
    void activate(const std::string& title) override;
    void sendKeys(const std::string& keys, bool wait) override;
};

}  // namespace zelanto::platform
