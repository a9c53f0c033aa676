#include "platform/files/file_lookup.h"

#include <unistd.h>

namespace zelanto::platform {

std::string fileNameAt(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return "";
    }
    const std::string name = path.filename().string();
    return name.starts_with('.') ? "" : name;
}

bool isExecutableProgram(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error) &&
           access(path.c_str(), X_OK) == 0;
}

std::filesystem::path programOnPath(const std::string& name, std::string_view searchPath) {
    while (!searchPath.empty()) {
        const auto colon = searchPath.find(':');
        const std::string_view folder = searchPath.substr(0, colon);
        const auto candidate = std::filesystem::path(folder.empty() ? "." : folder) / name;
        if (isExecutableProgram(candidate)) {
            return candidate;
        }
        searchPath = colon == std::string_view::npos ? "" : searchPath.substr(colon + 1);
    }
    return {};
}

bool endsWithOneOf(const std::string& name, std::initializer_list<const char*> endings) {
    for (const std::string_view ending : endings) {
        if (name.ends_with(ending)) {
            return true;
        }
    }
    return false;
}

}  // namespace zelanto::platform
