#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/atomic_file.h"

namespace zelanto::platform {

// A text file written line by line in code page 932 with CR LF line ends, which replaces its
// target only once `commit` has been called.
class AnsiTextFile {
public:
    explicit AnsiTextFile(std::filesystem::path target) : file_(std::move(target)) {}

    void writeLine(std::string_view utf8);
    void commit() { file_.commit(); }

private:
    AtomicFile file_;
    // The line being written, kept so that its room is made once, not for every line.
    std::string line_;
};

}  // namespace zelanto::platform
