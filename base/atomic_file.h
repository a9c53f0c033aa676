#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zelanto::base {

// A file that could not be created, written or put in place.
class FileError : public std::runtime_error {
public:
    FileError(const std::filesystem::path& path, const std::string& what);
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writes a file that replaces its target only once it is complete: the bytes go to a temporary
// file in the target's folder, which `commit` flushes and renames over the target. Destroyed
// without a commit, it removes the temporary file and leaves the target as it was.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    void commit();
    // The temporary file, for a writer that opens it by name: what it writes there is committed.
    const std::filesystem::path& temporaryPath() const { return temporary_; }

private:
    void discard() noexcept;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
};

// Replaces `target` with `bytes` as one complete file.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Replaces `target` with the file that `write` writes at the path it is given, an empty temporary
// file beside the target, for writers that open files by name. When `write` throws, the target
// stays as it was.
void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write);

// A text file written line by line in code page 932 with CR LF line ends, which replaces its
// target only once `commit` has been called.
class AnsiTextFile {
public:
    explicit AnsiTextFile(std::filesystem::path target) : file_(std::move(target)) {}

    // A line converted once, for a line that is written again and again.
    struct ConvertedLine {
        std::string bytes;  // in code page 932, with its line end
    };
    static ConvertedLine convert(std::string_view utf8);

    void writeLine(std::string_view utf8);
    void writeLine(const ConvertedLine& line) { file_.write(line.bytes); }
    void commit() { file_.commit(); }

private:
    AtomicFile file_;
    // The line being written, kept so that its room is made once, not for every line.
    std::string line_;
};

// Creates an empty file in `folder` (made when missing) under the first free name of
// "stem.ext", "stem (2).ext", "stem (3).ext" …, and returns its path. An existing file is never
// touched. A FileError when the folder or the file cannot be made.
std::filesystem::path createNewFile(const std::filesystem::path& folder, const std::string& stem,
                                    const std::string& extension);

}  // namespace zelanto::base
