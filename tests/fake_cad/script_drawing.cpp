#include "tests/fake_cad/script_drawing.h"

#include <fstream>
#include <iterator>
#include <string_view>
#include <utility>

#include "tests/fake_cad/text_encoding.h"

namespace zelanto::fakecad {
namespace {

// Each drawing command as the script gives it, and as the drawing records it.
constexpr std::pair<std::string_view, std::string_view> kDrawingCommands[] = {
    {"point ", "POINT "},   {"circle ", "CIRCLE "}, {"text j bl ", "TEXT "},
    {"layer m ", "LAYER "}, {"color ", "COLOR "},
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// A blank ends an input, like a line end, so blanks at the end of a line are no part of it.
std::string_view withoutTrailingBlanks(std::string_view text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

}  // namespace

std::vector<std::string> drawingOf(const std::filesystem::path& script) {
    std::ifstream in(script, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> drawing;
    for (const std::string& line : linesOf(toUtf8(bytes, "CP932"))) {
        for (const auto& [command, recorded] : kDrawingCommands) {
            if (line.starts_with(command)) {
                const auto rest = std::string_view(line).substr(command.size());
                drawing.push_back(std::string(recorded) + std::string(withoutTrailingBlanks(rest)));
            }
        }
    }
    return drawing;
}

}  // namespace zelanto::fakecad
