#include "cad/cad_path.h"

#include "platform/files/file_lookup.h"

namespace zelanto::cad {

bool isAcceptedCadProgram(const std::filesystem::path& path) {
    return isAcceptedCadProgramName(platform::fileNameAt(path)) ||
           (!platform::fileNameAt(path).empty() && platform::isExecutableProgram(path));
}

bool showsAsChosenCadProgram(const std::filesystem::path& path) {
    const std::string name = platform::fileNameAt(path);
    return name.ends_with("exe") || (!name.empty() && platform::isExecutableProgram(path));
}

}  // namespace zelanto::cad
