#include "platform/files/user_folders.h"

#include <cstdlib>
#include <system_error>

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

}  // namespace zelanto::platform
