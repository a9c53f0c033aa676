#pragma once

#include <chrono>
#include <filesystem>

#include "platform/calc/call_runner.h"

namespace zelanto::platform::calc {

// How we start and reach our LibreOffice instance.
struct OfficeSettings {
    // soffice in LibreOffice's program folder.
    std::filesystem::path program;
    // The folder of our own user profile, never the user's own: an invisible instance started
    // with the user's profile would take in the user's later starts of LibreOffice.
    std::filesystem::path profile;
    // Where there is no display: LibreOffice then holds documents but can show none.
    bool headless = false;
    // How long a call may take before the connection is cut.
    std::chrono::milliseconds callLimit{5000};
    // Loading a new document, and starting LibreOffice, take longer.
    std::chrono::milliseconds documentLimit{20000};
    std::chrono::milliseconds startLimit{60000};
    // Runs on the waiting thread while a call takes long.
    CallRunner::Hook whileWaiting;
};

}  // namespace zelanto::platform::calc
