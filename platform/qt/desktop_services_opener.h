#pragma once

#include "platform/qt/desktop_opener.h"

namespace zelanto::platform {

// Opens files through QDesktopServices, which asks the desktop (xdg-open on Linux).
class DesktopServicesOpener : public DesktopOpener {
public:
    bool open(const std::filesystem::path& file) override;
};

}  // namespace zelanto::platform
