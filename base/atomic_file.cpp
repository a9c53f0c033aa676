#include "base/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "base/code_page_932.h"

namespace zelanto::base {
namespace {

// Creates an empty file under a fresh hidden name in the folder of `target` (on the same file
// system, so that it can be renamed over it) and returns its descriptor, open for writing;
// `created` receives its path.
int createTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& created) {
    const auto folder = target.has_parent_path() ? target.parent_path() : ".";
    // Appended piece by piece: "." + name trips a false -Wrestrict in GCC 12's Release build.
    std::string name = ".";
    name += target.filename().string();
    name += ".XXXXXX";
    std::string pattern = (folder / name).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        throw FileError(target, std::strerror(errno));
    }
    created = pattern;
    return fd;
}

std::string nameFor(const std::string& stem, const std::string& extension, int number) {
    if (number == 1) {
        return stem + extension;
    }
    return stem + " (" + std::to_string(number) + ")" + extension;
}

}  // namespace

FileError::FileError(const std::filesystem::path& path, const std::string& what)
    : std::runtime_error(path.string() + ": " + what), path_(path) {}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    const int fd = createTemporaryBeside(target_, temporary_);
    file_ = fdopen(fd, "wb");
    if (file_ == nullptr) {
        const int error = errno;
        ::close(fd);
        discard();
        throw FileError(target_, std::strerror(error));
    }
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::write(std::string_view bytes) {
    if (file_ == nullptr) {
        throw FileError(target_, "already closed");
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        throw FileError(target_, std::strerror(errno));
    }
}

void AtomicFile::commit() {
    if (file_ == nullptr) {
        throw FileError(target_, "already closed");
    }
    const bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        discard();
        throw FileError(target_, std::strerror(flushed ? errno : flushError));
    }
    // mkstemp creates the file readable by its owner only: keep the permissions of the file it
    // replaces, or give a new one the usual rw-r--r--.
    std::error_code ignored;
    const auto old = std::filesystem::status(target_, ignored);
    const auto perms = std::filesystem::is_regular_file(old)
                           ? old.permissions()
                           : static_cast<std::filesystem::perms>(0644);
    std::filesystem::permissions(temporary_, perms, ignored);
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        discard();
        throw FileError(target_, std::strerror(error));
    }
    temporary_.clear();
}

void AtomicFile::discard() noexcept {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write) {
    AtomicFile file(target);
    write(file.temporaryPath());
    file.commit();
}

AnsiTextFile::ConvertedLine AnsiTextFile::convert(std::string_view utf8) {
    ConvertedLine line;
    appendAnsi(line.bytes, utf8);
    line.bytes += "\r\n";
    return line;
}

void AnsiTextFile::writeLine(std::string_view utf8) {
    line_.clear();
    appendAnsi(line_, utf8);
    line_ += "\r\n";
    file_.write(line_);
}

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

}  // namespace zelanto::base
