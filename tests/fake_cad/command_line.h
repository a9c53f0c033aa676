#pragma once

#include <filesystem>
#include <string>

namespace zelanto::fakecad {

// The CAD program's command line: every character typed is appended to the key log at once; a
// Return ends the input, and an input holding "script " followed by a file name (possibly between
// double quotes) runs that script, appending what it draws to the drawing log.
class CommandLine {
public:
    CommandLine(std::filesystem::path keyLog, std::filesystem::path drawingLog);

    // One character in UTF-8; "\r" is Return.
    void type(const std::string& character);

private:
    void enter();

    std::filesystem::path keyLog_;
    std::filesystem::path drawingLog_;
    std::string input_;
};

}  // namespace zelanto::fakecad
