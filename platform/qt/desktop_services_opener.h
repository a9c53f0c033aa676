#pragma once

#include <chrono>
#include <functional>

#include "platform/qt/desktop_opener.h"

namespace zelanto::platform {

// Opens files through QDesktopServices, which asks the desktop (xdg-open on Linux). A window to be
// maximized is looked for every `interval` until `maximize` finds it, for `patience` at most.
class DesktopServicesOpener : public DesktopOpener {
public:
    // Asks for the window titled after the document to be maximized; true when there was one.
    using Maximizer = std::function<bool(const std::string& windowTitle)>;

    explicit DesktopServicesOpener(
        Maximizer maximize = {},
        std::chrono::milliseconds interval = std::chrono::milliseconds(250),
        std::chrono::milliseconds patience = std::chrono::seconds(30));

    bool open(const std::filesystem::path& file) override;
    bool openMaximized(const std::filesystem::path& file, const std::string& windowTitle) override;

private:
    Maximizer maximize_;
    std::chrono::milliseconds interval_;
    std::chrono::milliseconds patience_;
};

}  // namespace zelanto::platform
