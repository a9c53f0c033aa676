#include "base/file_system.h"

#include <unistd.h>
#include <cstdlib>
#include <system_error>

#include "base/atomic_file.h"

namespace zelanto::base {
namespace {

// An environment variable that holds an absolute path; relative ones are to be ignored.
std::filesystem::path absolutePathIn(const char* variable) {
    const char* value = std::getenv(variable);
    const std::filesystem::path path = value == nullptr ? "" : value;
    return path.is_absolute() ? path : std::filesystem::path();
}

}  // namespace

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

std::filesystem::path zelantoUserFolder(const char* variable,
                                        const std::filesystem::path& homeDefault) {
    if (const auto base = absolutePathIn(variable); !base.empty()) {
        return base / "zelanto";
    }
    if (const auto home = absolutePathIn("HOME"); !home.empty()) {
        return home / homeDefault / "zelanto";
    }
    throw FileError("~" / homeDefault,
                    std::string("neither ") + variable + " nor HOME names a folder");
}

std::filesystem::path zelantoConfigFolder() {
    return zelantoUserFolder("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path zelantoDataFolder() {
    return zelantoUserFolder("XDG_DATA_HOME", ".local/share");
}

void makeUserFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return;
    }
    if (folder.has_relative_path() && folder.has_parent_path() && folder.parent_path() != folder) {
        makeUserFolder(folder.parent_path());
    }
    if (!std::filesystem::create_directory(folder, error) && error) {
        throw FileError(folder, "cannot make the folder: " + error.message());
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    if (error) {
        throw FileError(folder, "cannot restrict the folder to its owner: " + error.message());
    }
}

std::filesystem::path zelantoCacheFolder() {
    return zelantoUserFolder("XDG_CACHE_HOME", ".cache");
}

}  // namespace zelanto::base
