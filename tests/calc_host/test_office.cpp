#include "tests/calc_host/test_office.h"

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/calc/office_process.h"
#include "platform/calc/office_profile.h"

namespace zelanto::testing {

namespace fs = std::filesystem;

std::optional<platform::calc::OfficeSettings> testOfficeSettings(const fs::path& profile,
                                                                 bool headless) {
    const char* path = std::getenv("PATH");
    const auto program = platform::calc::findOffice(path != nullptr ? path : "");
    if (!program) {
        return std::nullopt;
    }
    platform::calc::OfficeSettings settings;
    settings.program = *program;
    settings.profile = profile;
    settings.headless = headless;
    // The watchdog's time, short enough for the tests of a frozen instance.
    settings.callLimit = std::chrono::seconds(3);
    return settings;
}

std::vector<pid_t> officeProcesses(const fs::path& profile) {
    const std::string marker = platform::calc::fileUrl(profile);
    std::vector<pid_t> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        const std::string command((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
        if (command.find(marker) != std::string::npos) {
            found.push_back(static_cast<pid_t>(std::stol(name)));
        }
    }
    return found;
}

void endOffice(const fs::path& profile) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        const auto processes = officeProcesses(profile);
        if (processes.empty()) {
            return;
        }
        for (const pid_t pid : processes) {
            kill(pid, SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace zelanto::testing
