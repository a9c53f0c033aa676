#include "coords/sim_file_open.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "coords/sim_read_error.h"

namespace zelanto::coords {
namespace {

[[noreturn]] void fail(SimReadProblem problem, const std::filesystem::path& file,
                       std::string found) {
    throw SimReadError(problem, file, 0, 0, SimItemRole::None, std::move(found));
}

}  // namespace

std::FILE* openSimFile(const std::filesystem::path& file, SimEncoding& encoding) {
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (handle == nullptr) {
        fail(SimReadProblem::CannotOpen, file, std::strerror(errno));
    }
    struct stat status {};
    if (fstat(fileno(handle), &status) != 0 || S_ISDIR(status.st_mode)) {
        std::fclose(handle);
        fail(SimReadProblem::CannotOpen, file, std::strerror(EISDIR));
    }
    if (!detectSimEncoding(handle, encoding)) {
        std::fclose(handle);
        fail(SimReadProblem::CannotRead, file, "");
    }
    return handle;
}

}  // namespace zelanto::coords
