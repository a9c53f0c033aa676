#pragma once

#include <sys/types.h>
#include <QTimer>
#include <optional>

#include "platform/cad_driver/cad_driver.h"

namespace zelanto::platform {

// Starts the CAD program as a detached process; activates its window and types into it on the
// X11 display.
class ProcessCadDriver : public CadDriver {
public:
    ProcessCadDriver();

    void start(const std::filesystem::path& program,
               const std::vector<std::string>& arguments) override;
    void activate(const std::string& title) override;
    void activateCad(std::span<const std::string_view> titleWords) override;
    void sendKeys(const std::string& keys, bool wait) override;

private:
    void maximizeOnceShown();

    // The program started last, while it may still show its window.
    std::optional<pid_t> started_;
    // Looks for its window while the event loop runs, until it has been maximized.
    QTimer windowWatch_;
    int watchRounds_ = 0;
    int settledRounds_ = 0;
};

}  // namespace zelanto::platform
