#include "cad/cad_program.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "base/file_system.h"

namespace zelanto::cad {
namespace {

bool namesDrawingOnlyProgram(const std::filesystem::path& program) {
    std::string name = program.filename().string();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // The command flatpak makes for an application is named by its id, whose last part names the
    // program ("org.librecad.librecad").
    const std::string idLastPart = name.substr(name.rfind('.') + 1);
    return std::any_of(kDrawingOnlyCadPrograms.begin(), kDrawingOnlyCadPrograms.end(),
                       [&](std::string_view known) {
                           return name.starts_with(known) || idLastPart.starts_with(known);
                       });
}

}  // namespace

bool isAcceptedCadProgram(const std::filesystem::path& path) {
    return isAcceptedCadProgramName(base::fileNameAt(path)) ||
           (!base::fileNameAt(path).empty() && base::isExecutableProgram(path));
}

bool showsAsChosenCadProgram(const std::filesystem::path& path) {
    const std::string name = base::fileNameAt(path);
    return name.ends_with("exe") || (!name.empty() && base::isExecutableProgram(path));
}

bool opensDrawingsOnly(const std::filesystem::path& program) {
    // A link (an alternative, a wrapper in ~/bin) counts by the program it leads to as well.
    std::error_code error;
    const auto target = std::filesystem::canonical(program, error);
    return namesDrawingOnlyProgram(program) || (!error && namesDrawingOnlyProgram(target));
}

}  // namespace zelanto::cad
