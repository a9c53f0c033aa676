#pragma once

#include <filesystem>
#include <string>

namespace zelanto::platform {

// Opens a file with the application the desktop has for its type.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // False when the desktop has no application for it or the start failed.
    virtual bool open(const std::filesystem::path& file) = 0;
    // Opens `file` as `open` does and has the window that shows it, the one whose title ends with
    // `windowTitle` (a viewer puts its own name first), maximized once it appears, where the
    // window manager allows it.
    virtual bool openMaximized(const std::filesystem::path& file,
                               const std::string& windowTitle) = 0;
};

}  // namespace zelanto::platform
