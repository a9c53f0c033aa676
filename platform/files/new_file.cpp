#include "platform/files/new_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/files/atomic_file.h"

namespace zelanto::platform {
namespace {

std::string nameFor(const std::string& stem, const std::string& extension, int number) {
    if (number == 1) {
        return stem + extension;
    }
    return stem + " (" + std::to_string(number) + ")" + extension;
}

}  // namespace

std::filesystem::path createNewFile(const std::filesystem::path& folder, const std::string& stem,
                                    const std::string& extension) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw FileError(folder, error.message());
    }
    for (int number = 1;; ++number) {
        const auto path = folder / nameFor(stem, extension, number);
        // O_EXCL makes taking the name and creating the file one step.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            throw FileError(path, std::strerror(errno));
        }
    }
}

}  // namespace zelanto::platform
