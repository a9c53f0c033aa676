#include "platform/files/file_lookup.h"

namespace zelanto::platform {

std::string fileNameAt(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return "";
    }
    const std::string name = path.filename().string();
    return name.starts_with('.') ? "" : name;
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
