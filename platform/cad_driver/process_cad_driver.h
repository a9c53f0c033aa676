#pragma once

#include <sys/types.h>
#include <vector>

#include "platform/cad_driver/cad_driver.h"
#include "platform/cad_driver/cad_window_watch.h"

namespace zelanto::platform {

// Starts the CAD program as a detached process; activates its window and types into it on the
// X11 display.
class ProcessCadDriver : public CadDriver {
public:
    void start(const std::filesystem::path& program,
               const std::vector<std::string>& arguments) override;
    void activate(const std::string& title) override;
    void activateCad(std::span<const std::string_view> titleWords) override;
    void activateCadShowing(const std::string& titlePart) override;
    void closeEarlierStarts() override;
    void sendKeys(const std::string& keys, bool wait) override;
    void pressShift() override;

    // Whether the windows of the program started last are still being watched for.
    bool watchingWindows() const { return windowWatch_.watching(); }

private:
    struct Start {
        std::filesystem::path program;
        pid_t pid;
    };
    // The programs started, the last one last.
    std::vector<Start> started_;
    CadWindowWatch windowWatch_;
};

}  // namespace zelanto::platform
