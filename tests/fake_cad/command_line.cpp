#include "tests/fake_cad/command_line.h"

#include <fstream>
#include <string_view>

#include "tests/fake_cad/script_drawing.h"

namespace zelanto::fakecad {
namespace {

constexpr std::string_view kScriptCommand = "script ";

void append(const std::filesystem::path& log, std::string_view text) {
    std::ofstream(log, std::ios::binary | std::ios::app) << text;
}

std::string unquoted(std::string_view name) {
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    return std::string(quoted ? name.substr(1, name.size() - 2) : name);
}

}  // namespace

CommandLine::CommandLine(std::filesystem::path keyLog, std::filesystem::path drawingLog)
    : keyLog_(std::move(keyLog)), drawingLog_(std::move(drawingLog)) {}

void CommandLine::type(const std::string& character) {
    append(keyLog_, character);
    if (character == "\r") {
        enter();
    } else {
        input_ += character;
    }
}

void CommandLine::enter() {
    const auto command = input_.find(kScriptCommand);
    if (command != std::string::npos) {
        const auto script =
            unquoted(std::string_view(input_).substr(command + kScriptCommand.size()));
        for (const std::string& line : drawingOf(script)) {
            append(drawingLog_, line + "\n");
        }
    }
    input_.clear();
}

}  // namespace zelanto::fakecad
