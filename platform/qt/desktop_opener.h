#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
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
