#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zelanto::testing {

// What a command line prints on its standard output: the outside tools that tests read files with
// or check against (unzip, cs2cs, ogrinfo).
inline std::string toolOutput(const std::string& command) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string text;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, n);
    }
    pclose(pipe);
    return text;
}

}  // namespace zelanto::testing
