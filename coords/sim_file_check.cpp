#include "coords/sim_file_check.h"

#include "platform/files/file_lookup.h"

namespace zelanto::coords {

bool passesSimFileCheck(const std::filesystem::path& path) {
    return !simFileRefusal(path);
}

std::optional<SimFileRefusal> simFileRefusal(const std::filesystem::path& path) {
    const std::string name = platform::fileNameAt(path);
    if (name.empty()) {
        return SimFileRefusal::NoFile;
    }
    if (!platform::endsWithOneOf(name, {"sim", "SIM"})) {
        return SimFileRefusal::NotNamedSim;
    }
    return std::nullopt;
}

}  // namespace zelanto::coords
