#pragma once

#include "platform/cad_driver.h"

namespace zelanto::platform {

// Starts the CAD program as a detached process. Activating its window and typing into it are not
// available yet: both report that the window cannot be driven.
class ProcessCadDriver : public CadDriver {
public:
    void start(const std::filesystem::path& program) override;
    void activate(const std::string& title) override;
    void sendKeys(const std::string& keys, bool wait) override;
};

}  // namespace zelanto::platform
