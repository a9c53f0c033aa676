#pragma once

#include <filesystem>

namespace zelanto::platform {

// Opens a file with the application the desktop has for its type.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // False when the desktop has no application for it or the start failed.
    virtual bool open(const std::filesystem::path& file) = 0;
};

}  // namespace zelanto::platform
