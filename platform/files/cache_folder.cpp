#include "platform/files/cache_folder.h"

#include <cstdlib>

#include "platform/files/atomic_file.h"

namespace zelanto::platform {
namespace {

// An environment variable that holds an absolute path; relative ones are to be ignored.
std::filesystem::path absolutePathIn(const char* variable) {
    const char* value = std::getenv(variable);
    const std::filesystem::path path = value == nullptr ? "" : value;
    return path.is_absolute() ? path : std::filesystem::path();
}

}  // namespace

std::filesystem::path zelantoCacheFolder() {
    if (const auto cache = absolutePathIn("XDG_CACHE_HOME"); !cache.empty()) {
        return cache / "zelanto";
    }
    if (const auto home = absolutePathIn("HOME"); !home.empty()) {
        return home / ".cache" / "zelanto";
    }
    throw FileError("~/.cache", "neither XDG_CACHE_HOME nor HOME names a folder");
}

}  // namespace zelanto::platform
