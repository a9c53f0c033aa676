#include "coords/sim_file_check.h"

#include "platform/files/file_lookup.h"

namespace zelanto::coords {

bool passesSimFileCheck(const std::filesystem::path& path) {
    return platform::endsWithOneOf(platform::fileNameAt(path), {"sim", "SIM"});
}

}  // namespace zelanto::coords
